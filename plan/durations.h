#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/run_loop.h"

namespace kiro {

// The longest duration anything takes: 99 hours.
inline constexpr Millis kLongestDuration{99LL * 3600 * 1000};

// A typed duration: units from the largest down, such as 500ms, 10s, 0.5s, 2m, 1h30m,
// or a clock reading H:MM:SS or M:SS. Or why it cannot be read.
Result<Millis> parseDuration(std::string_view text);
// duration for people: "0.13 s", "30 s", "1 min 30 s", "2 h 5 min".
std::string durationText(Millis duration);
// duration as parseDuration reads it back: "130ms", "30s", "1m30s", "2h5m".
std::string durationWords(Millis duration);

// A time of day, minutes after midnight, as "HH:MM"; and read back, from 00:00 to 23:59.
std::string timeOfDayText(int minuteOfDay);
std::optional<int> parseTimeOfDay(std::string_view text);

}  // namespace kiro
