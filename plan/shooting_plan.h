#pragma once

#include <optional>
#include <string>

#include "base/result.h"
#include "plan/location.h"
#include "plan/start_time.h"
#include "platform/run_loop.h"
#include "platform/wall_clock.h"

namespace kiro {

// What a timed sequence does: a self-timer (a delay, then one shot), a bulb exposure (the
// shutter held for an exact time) or an intervalometer (shots a fixed time apart).
struct ShootingPlan {
  enum class Mode { self, bulb, interval };
  ShootingPlan() = default;
  // The plain plans: no start time, ramp or bracket.
  ShootingPlan(Mode mode, std::optional<Millis> delay, std::optional<Millis> bulb, Millis interval, std::optional<int> count)
      : mode(mode), delay(delay), bulb(bulb), interval(interval), count(count) {}

  Mode mode = Mode::self;
  std::optional<Millis> delay;  // before the first shot; required by the self-timer
  std::optional<Millis> bulb;   // how long each shot holds the shutter; required by bulb
  Millis interval{0};           // intervalometer: from one shot's start to the next one's
  std::optional<int> count;     // intervalometer: how many shots; none: until stopped
  std::optional<StartTime> at;  // instead of a delay: a local time of day or a sun event
  std::optional<Millis> rampTo;  // intervalometer: the last shot's bulb, reached from bulb evenly in stops
  int bracket = 1;               // intervalometer: shots in each interval, 1, 3 or 5, around the bulb
  double bracketStops = 0;       // between one bracketed shot and the next
};

// The mode as the plan words and the events name it.
const char* modeName(ShootingPlan::Mode mode);

// How long a shot that is not a bulb exposure holds the shutter: a brisk press, long enough
// for the 25 ms pump to write it several times.
inline constexpr Millis kShortPress{200};
// The release notice that follows each shot, as after a hand's press.
inline constexpr Millis kReleaseNotice{1000};
// An intervalometer counts up to this many shots, or goes on until stopped.
inline constexpr int kMostShots = 9999;
// The longest bulb, as the bulb ladder's top rung; delays and intervals go to kLongestDuration.
inline constexpr Millis kLongestBulb{4LL * 3600 * 1000};
// No plan runs longer than this.
inline constexpr Millis kLongestPlan{7LL * 24 * 3600 * 1000};

// Whether a shot can hold the shutter for bulb, or why not: the same reason on every way in.
Result<> checkBulb(Millis bulb);
// Whether plan can run, or why not in words for the user. The wait for a time of day is not
// known here: see checkRun.
Result<> checkPlan(const ShootingPlan& plan);
// Whether plan can run when its first shot is firstShotIn away, or why not.
Result<> checkRun(const ShootingPlan& plan, Millis firstShotIn);

// How long from now until plan's first shot: its delay, or until its start on clock at where
// (the location kept, which a sun event needs); or why it has none.
Result<Millis> firstShotIn(const ShootingPlan& plan, const WallClock& clock, const Result<std::optional<Location>>& where);

// One press of the shutter in a plan: when it starts, after the first one, and how long it holds.
struct Exposure {
  Millis at{0};
  Millis length{0};
};
// How many exposures plan makes: a bracketed interval has several; none: until stopped.
std::optional<int> exposureCount(const ShootingPlan& plan);
// The exposure index of plan (from 0).
Exposure exposure(const ShootingPlan& plan, int index);
// Whether the bulb changes from shot to shot, so each shot says its own.
bool variesBulb(const ShootingPlan& plan);
// From the first shot's start to the end of the last one's release notice; none: until stopped.
std::optional<Millis> planLength(const ShootingPlan& plan);

}  // namespace kiro
