#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "plan/shooting_plan.h"

namespace kiro {

// A start time moved steps of 5 min: a sun event's offset, or a time of day round the clock.
StartTime steppedStart(const StartTime& at, int steps);

// An interval plan's night, as the night screen sets it: the end, the nights, the dark frames
// and the keyframes. The rows show one keyframe at a time, the one chosen; past the last is a
// new one, which becomes a keyframe once it has a bulb, as one whose bulb is taken away stops
// being one. Kept in the user defaults with the timer screen's values.
class NightValues {
 public:
  enum Value { until, nights, dark, key, keyAt, keyBulb, keyInterval };
  static constexpr std::array<Value, 7> all{until, nights, dark, key, keyAt, keyBulb, keyInterval};

  // The values last kept, or none: no end, one night, no keyframes.
  NightValues();

  bool ends() const { return ends_; }
  void setEnds(bool ends) { ends_ = ends; }
  bool hasKeys() const { return !keys_.empty(); }
  // Moves a value steps along: an end or a keyframe's time by 5 min, a bulb or an interval
  // along its ladder, the chosen keyframe to another, each kept in range.
  void step(Value which, int steps);
  // Sets a value from what the user typed ("none", HH:MM or a sun event for the end and a
  // keyframe's time, a number, a keyframe's number, a duration), or says why it cannot and
  // changes nothing.
  Result<> enter(Value which, const std::string& text);
  Text text(Value which) const;
  // Sets plan's end (then it counts no shots), nights, dark frames and keyframes (then they
  // set the bulb).
  void applyTo(ShootingPlan& plan) const;
  // Takes an interval plan's night; any other plan leaves the night as it was.
  void take(const ShootingPlan& plan);
  void keep() const;

 private:
  Keyframe& chosen() { return chosen_ < keys_.size() ? keys_[chosen_] : new_; }
  const Keyframe& chosen() const { return chosen_ < keys_.size() ? keys_[chosen_] : new_; }
  // The last keyframe that can be chosen: the new one, unless there are as many as can be.
  std::size_t lastKey() const { return std::min(keys_.size(), static_cast<std::size_t>(kMostKeys - 1)); }
  // The chosen one given a bulb or none: it becomes a keyframe or stops being one.
  void setBulb(Millis bulb);

  bool ends_ = false;
  StartTime endAt_{std::nullopt, 6 * 60, Millis{0}};
  int nights_ = 1;
  int dark_ = 0;
  std::vector<Keyframe> keys_;
  std::size_t chosen_ = 0;  // keys_.size(): the new one
  Keyframe new_{StartTime{std::nullopt, 22 * 60, Millis{0}}, Millis{0}, std::nullopt};
};

}  // namespace kiro
