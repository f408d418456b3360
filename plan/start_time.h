#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "plan/location.h"
#include "plan/sun_events.h"
#include "platform/run_loop.h"
#include "platform/wall_clock.h"

namespace kiro {

// When a plan starts, in the words --at takes: a local time of day ("22:30"), or a sun event
// and an offset from it ("sunset", "sunset+20m", "astro-dawn-15m").
struct StartTime {
  std::optional<SunEvent> sun;  // none: a time of day
  int minuteOfDay = 0;          // the time of day, minutes after local midnight
  Millis offset{0};             // after the sun event; before it when negative
  friend bool operator==(const StartTime&, const StartTime&) = default;
};

// An offset from a sun event goes up to this either way.
inline constexpr Millis kLongestSunOffset{12LL * 3600 * 1000};

// The words read as a start, or why they cannot be.
Result<StartTime> parseStartTime(std::string_view words);
// start in the words parseStartTime reads back.
std::string startTimeWords(const StartTime& start);
// Whether start is in range, or why not: what words give always is.
Result<> checkStartTime(const StartTime& start);

// The first such moment after after and at most within later, on clock at where; or why there
// is none: no location for a sun event, or the event does not happen (with the first such day).
Result<WallTime> nextStart(const StartTime& start, WallTime after, Millis within, const WallClock& clock,
                           const Result<std::optional<Location>>& where);
// How long from now on clock until the next such moment at where: a time of day today if it
// is still to come, else tomorrow; a sun event's likewise, or a later day's when it does not
// happen on those, up to a few days ahead. Or why there is none: no location for a sun event,
// or the event does not happen (with the day).
Result<Millis> untilStart(const StartTime& start, const WallClock& clock, const Result<std::optional<Location>>& where);

}  // namespace kiro
