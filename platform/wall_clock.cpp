#include "platform/wall_clock.h"

#include <time.h>

#include <cstdio>
#include <optional>

namespace kiro {

using std::chrono::days;
using std::chrono::minutes;

WallTime SystemWallClock::now() const { return std::chrono::time_point_cast<Millis>(std::chrono::system_clock::now()); }

std::chrono::seconds SystemWallClock::utcOffset(WallTime at) const {
  const time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::seconds>(at));
  tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return std::chrono::seconds{0};
  return std::chrono::seconds{local.tm_gmtoff};
}

WallTime nextTimeOfDay(const WallClock& clock, WallTime from, int minuteOfDay) {
  // Local readings are kept as if they were UTC ones, then turned back with an offset in
  // force then. Around a change there are two: the reading is each one's that agrees with
  // itself (twice when the clocks go back, so the repeated hour comes too), or, in the hour
  // skipped when they go forward, the one from before the change.
  const auto today = std::chrono::floor<days>(from + clock.utcOffset(from));
  for (int day = 0;; ++day) {
    const WallTime local = today + days{day} + minutes{minuteOfDay};
    const auto before = clock.utcOffset(local - days{1}), after = clock.utcOffset(local + days{1});
    std::optional<WallTime> due;
    for (const auto offset : {before, after}) {
      const WallTime instant = local - offset;
      if (clock.utcOffset(instant) == offset && instant > from && (!due || instant < *due)) due = instant;
    }
    if (!due && local - before > from && clock.utcOffset(local - before) != before) due = local - before;
    if (due) return *due;
  }
}

Millis untilTimeOfDay(const WallClock& clock, int minuteOfDay) {
  const WallTime now = clock.now();
  return nextTimeOfDay(clock, now, minuteOfDay) - now;
}

namespace {

// The local reading, kept as if it were a UTC one, that the run loop's clock reads as at.
WallTime localReading(const WallClock& clock, Millis at, Millis runLoopNow) {
  const WallTime instant = clock.now() + (at - runLoopNow);
  return std::chrono::round<minutes>(instant + clock.utcOffset(instant));
}

}  // namespace

std::string localTimeOfDay(const WallClock& clock, Millis at, Millis runLoopNow) {
  const WallTime local = localReading(clock, at, runLoopNow);
  const auto minute = std::chrono::duration_cast<minutes>(local - std::chrono::floor<days>(local)).count();
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minute / 60), static_cast<int>(minute % 60));
  return text;
}

Text localDayAndTime(const WallClock& clock, Millis at, Millis runLoopNow) {
  const auto day = [&](Millis when) { return std::chrono::floor<days>(localReading(clock, when, runLoopNow)); };
  const auto later = (day(at) - day(runLoopNow)).count();
  std::string time = localTimeOfDay(clock, at, runLoopNow);
  if (later <= 0) return Text::verbatim(std::move(time));
  return later == 1 ? Text("%1 tomorrow", time) : Text("%1 in %2 days", time, later);
}

}  // namespace kiro
