#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "plan/start_time.h"
#include "platform/run_loop.h"

namespace kiro {

// Where a series is set to have a bulb, and perhaps an interval: between two keyframes the bulb
// moves evenly in stops and the interval linearly.
struct Keyframe {
  StartTime at;
  Millis bulb{0};
  std::optional<Millis> interval;  // none: the plan's own
  friend bool operator==(const Keyframe&, const Keyframe&) = default;
};

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
  std::optional<int> count;     // intervalometer: how many shots; none: until stopped or until
  std::optional<StartTime> at;  // instead of a delay: a local time of day or a sun event
  std::optional<Millis> rampTo;  // intervalometer: the last shot's bulb, reached from bulb evenly in stops
  int bracket = 1;               // intervalometer: shots in each interval, 1, 3, 5, 7 or 9, around the bulb
  double bracketStops = 0;       // between one bracketed shot and the next
  std::optional<StartTime> until;  // intervalometer: no shot starts from then on
  int nights = 1;                  // the window from at to until, on this many days in a row
  std::vector<Keyframe> keys;      // intervalometer: instead of a bulb or a ramp
  int dark = 0;                    // intervalometer: frames with the lens covered, once the series ends
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
// A plan repeats its window on at most this many nights, and has at most this many keyframes.
inline constexpr int kMostNights = 7;
inline constexpr int kMostKeys = 16;
inline constexpr int kMostDark = 99;
// No plan runs longer than this.
inline constexpr Millis kLongestPlan{7LL * 24 * 3600 * 1000};

// Whether a shot can hold the shutter for bulb, or why not: the same reason on every way in.
Result<> checkBulb(Millis bulb);
// Whether plan can run, or why not in words for the user. The wait for a time of day is not
// known here: see schedulePlan.
Result<> checkPlan(const ShootingPlan& plan);
// Whether a plan of length (none: until stopped) can run when its first shot is firstShotIn away.
Result<> checkLength(std::optional<Millis> length, Millis firstShotIn);
// One press of the shutter in a plan: when it starts, after the first one, and how long it holds.
struct Exposure {
  Millis at{0};
  Millis length{0};
};
// Whether plan's shots are laid out one by one from its start (see schedule.h): it ends at a
// time, spans nights or follows keyframes; else they follow one another evenly.
bool listsShots(const ShootingPlan& plan);
// The middle bulb of plan's interval slot, its ramp's when it ramps; and a bracket's shot
// around a middle bulb.
Millis slotBulb(const ShootingPlan& plan, int slot);
Millis bracketBulb(const ShootingPlan& plan, Millis middle, int shot);
// How many exposures plan makes: a bracketed interval has several; none: until stopped. For
// a plan that lists its shots, see Schedule.
std::optional<int> exposureCount(const ShootingPlan& plan);
// The exposure index of plan (from 0).
Exposure exposure(const ShootingPlan& plan, int index);
// Whether the bulb changes from shot to shot, so each shot says its own.
bool variesBulb(const ShootingPlan& plan);
// From the first shot's start to the end of the last one's release notice; none: until stopped.
std::optional<Millis> planLength(const ShootingPlan& plan);

}  // namespace kiro
