#pragma once

#include <array>
#include <string>

#include "base/result.h"
#include "plan/shooting_plan.h"
#include "screens/timer/night_values.h"

namespace kiro {

// The timer screen's values: how each one steps and what typing it takes, the plan they
// make, and keeping them in the user defaults for next time. An intervalometer's ramp,
// bracket and night are values as the others are, so the screens show all of the plan it starts.
class TimerValues {
 public:
  enum Value { delay, bulb, interval, shots, rampTo, bracket };
  static constexpr std::array<Value, 6> all{delay, bulb, interval, shots, rampTo, bracket};

  // The values last kept, or the first-time ones.
  TimerValues();

  ShootingPlan::Mode mode() const { return plan_.mode; }
  void setMode(ShootingPlan::Mode mode) { plan_.mode = mode; }
  // Whether the first shot is at a time of day rather than after the delay.
  bool startsAtTime() const { return startsAtTime_; }
  void setStartsAtTime(bool atTime) { startsAtTime_ = atTime; }
  // An interval plan's end, nights, dark frames and keyframes.
  const NightValues& night() const { return night_; }
  NightValues& night() { return night_; }
  // Whether the mode uses the value: an end counts no shots, keyframes set the bulb.
  bool uses(Value which) const;
  // Moves a value steps rungs along its ladder (the start time, or a sun event's offset, by
  // 5 min), kept in range.
  void step(Value which, int steps);
  // Sets a value from what the user typed (a duration; a number or "forever" for the
  // shots; HH:MM or a sun event for a start time; "none" or such as 3x1/3 for a bracket),
  // or says why it cannot and changes nothing.
  Result<> enter(Value which, const std::string& text);
  // The value for the screen: "1.3 s", "none", "press", "forever", "21:30", "sunset+20m", "3 × 1/3 EV".
  Text text(Value which) const;
  // The plan the values make, for the mode chosen.
  ShootingPlan plan() const;
  // Takes a kept plan's values, its ramp, bracket and night too.
  void take(const ShootingPlan& plan);
  void keep() const;

 private:
  ShootingPlan plan_;  // every value, whether the mode uses it or not
  bool startsAtTime_ = false;
  StartTime startAt_{std::nullopt, 22 * 60, Millis{0}};
  NightValues night_;
};

}  // namespace kiro
