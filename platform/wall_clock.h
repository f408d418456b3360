#pragma once

#include <chrono>
#include <string>

#include "base/text.h"
#include "platform/installed.h"
#include "platform/run_loop.h"

namespace kiro {

using WallTime = std::chrono::sys_time<Millis>;

// The local civil clock, for plans set to a time of day. Separate from the run loop's
// monotonic clock, which is what every timer runs on.
class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual WallTime now() const = 0;
  // Local time minus UTC at the instant at: it changes with daylight saving.
  virtual std::chrono::seconds utcOffset(WallTime at) const = 0;
};

// The machine's clock and time zone (TZ or /etc/localtime).
class SystemWallClock final : public WallClock {
 public:
  WallTime now() const override;
  std::chrono::seconds utcOffset(WallTime at) const override;
};

using WallClockScope = Installed<const WallClock>;

inline const WallClock& wallClock() { return WallClockScope::current("wall clock"); }

// The first instant after from whose local time of day is minuteOfDay (after midnight),
// counting a daylight-saving change on the way.
WallTime nextTimeOfDay(const WallClock& clock, WallTime from, int minuteOfDay);
// How long from now until the next local time of day minuteOfDay (after midnight): today
// if it is still to come, else tomorrow. Counts a daylight-saving change on the way.
Millis untilTimeOfDay(const WallClock& clock, int minuteOfDay);
// The local time of day ("HH:MM", to the nearest minute) that the run loop's clock reads as at.
std::string localTimeOfDay(const WallClock& clock, Millis at, Millis runLoopNow);
// The same, with the day when it is not today: "06:40", "01:47 tomorrow", "21:30 in 3 days".
Text localDayAndTime(const WallClock& clock, Millis at, Millis runLoopNow);

}  // namespace kiro
