#include "screens/timer/night_values.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "plan/durations.h"
#include "plan/ladders.h"
#include "plan/plan_words.h"
#include "platform/platform.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

constexpr int kDay = 24 * 60;
constexpr int kStep = 5;
constexpr Millis kSunStep = 5min;

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A keyframe's bulbs or intervals, with none (0) below the first rung.
const std::vector<Millis>& ladder(bool bulbs) {
  static const auto withNone = [](const std::vector<Millis>& rungs) {
    std::vector<Millis> ladder{0ms};
    ladder.insert(ladder.end(), rungs.begin(), rungs.end());
    return ladder;
  };
  static const std::vector<Millis> bulb = withNone(ladders::bulb()), time = withNone(ladders::time());
  return bulbs ? bulb : time;
}

// A bulb or an interval typed for a keyframe, on its ladder or none (0); or why not.
Result<Millis> typedDuration(bool bulb, const std::string& text) {
  if (text == "none") return 0ms;
  const auto typed = parseDuration(text);
  if (!typed.ok()) return typed.error();
  const Millis value = typed.value();
  const auto& rungs = ladder(bulb);
  if (value == 0ms || (value >= rungs[1] && value <= rungs.back())) return value;
  const std::string least = durationText(rungs[1]), most = durationText(rungs.back());
  if (bulb) return Error{Text("a bulb is from %1 to %2: not %3", least, most, text)};
  return Error{Text("an interval is from %1 to %2: not %3", least, most, text)};
}

}  // namespace

StartTime steppedStart(const StartTime& at, int steps) {
  StartTime moved = at;
  if (at.sun) moved.offset = std::clamp(at.offset + steps * kSunStep, -kLongestSunOffset, kLongestSunOffset);
  else moved.minuteOfDay = ((at.minuteOfDay / kStep + steps) * kStep % kDay + kDay) % kDay;
  return moved;
}

NightValues::NightValues() {
  const auto& defaults = platform().defaults;
  if (const auto until = defaults.string("timerUntil"); until && !until->empty()) ends_ = enter(NightValues::until, *until).ok();
  for (const auto which : {nights, dark})
    if (const auto kept = defaults.string(which == nights ? "timerNights" : "timerDark"))
      static_cast<void>(enter(which, *kept));
  std::istringstream keys(defaults.string("timerKeys").value_or(""));
  for (std::string words; keys >> words && keys_.size() < static_cast<std::size_t>(kMostKeys);)
    if (const auto read = parseKeyframe(words); read.ok() && checkBulb(read.value().bulb).ok()) keys_.push_back(read.value());
}

void NightValues::step(Value which, int steps) {
  switch (which) {
    case until:
      ends_ = true;
      endAt_ = steppedStart(endAt_, steps);
      break;
    case nights: nights_ = std::clamp(nights_ + steps, 1, kMostNights); break;
    case dark: dark_ = std::clamp(dark_ + steps, 0, kMostDark); break;
    case key:
      chosen_ = static_cast<std::size_t>(std::clamp(static_cast<long>(chosen_) + steps, 0L, static_cast<long>(lastKey())));
      break;
    case keyAt: chosen().at = steppedStart(chosen().at, steps); break;
    case keyBulb: setBulb(ladders::step(ladder(true), chosen().bulb, steps)); break;
    case keyInterval: {
      const Millis interval = ladders::step(ladder(false), chosen().interval.value_or(0ms), steps);
      chosen().interval = interval > 0ms ? std::optional(interval) : std::nullopt;
      break;
    }
  }
}

Result<> NightValues::enter(Value which, const std::string& text) {
  if (which == until && text == "none") {
    ends_ = false;
    return {};
  }
  if (which == until || which == keyAt) {
    const auto at = parseStartTime(text);
    if (!at.ok()) return at.error();
    if (which == until) ends_ = true;
    (which == until ? endAt_ : chosen().at) = at.value();
    return {};
  }
  if (which == nights || which == dark || which == key) {
    const auto number = wholeNumber(text);
    const int least = which == dark ? 0 : 1;
    const int most = which == nights ? kMostNights : which == dark ? kMostDark : static_cast<int>(lastKey()) + 1;
    if (!number || *number < least || *number > most) {
      if (which == nights) return Error{Text("the nights are 1 to %1: not %2", most, text)};
      if (which == dark) return Error{Text("the dark frames are 0 to %1: not %2", most, text)};
      return Error{Text("the keyframes are 1 to %1: not %2", most, text)};
    }
    if (which == key) chosen_ = static_cast<std::size_t>(*number - 1);
    else (which == nights ? nights_ : dark_) = *number;
    return {};
  }
  const auto typed = typedDuration(which == keyBulb, text);
  if (!typed.ok()) return typed.error();
  if (which == keyBulb) setBulb(typed.value());
  else chosen().interval = typed.value() > 0ms ? std::optional(typed.value()) : std::nullopt;
  return {};
}

Text NightValues::text(Value which) const {
  switch (which) {
    case until: return ends_ ? Text::verbatim(startTimeWords(endAt_)) : Text("none");
    case nights: return Text::verbatim(std::to_string(nights_));
    case dark: return Text::verbatim(std::to_string(dark_));
    case key:
      if (chosen_ == keys_.size()) return Text("%1: new", chosen_ + 1);
      return Text("%1 of %2", chosen_ + 1, keys_.size());
    case keyAt: return Text::verbatim(startTimeWords(chosen().at));
    case keyBulb: return chosen().bulb > 0ms ? Text::verbatim(durationText(chosen().bulb)) : Text("none");
    case keyInterval: break;
  }
  return chosen().interval ? Text::verbatim(durationText(*chosen().interval)) : Text("the plan's");
}

void NightValues::setBulb(Millis bulb) {
  if (chosen_ < keys_.size() && bulb == 0ms) {
    new_ = keys_[chosen_];
    keys_.erase(keys_.begin() + static_cast<long>(chosen_));
    chosen_ = keys_.size();
  } else if (chosen_ == keys_.size() && bulb > 0ms) {
    keys_.push_back(new_);
  }
  chosen().bulb = bulb;
}

void NightValues::applyTo(ShootingPlan& plan) const {
  plan.until = ends_ ? std::optional(endAt_) : std::nullopt;
  if (plan.until) plan.count.reset();
  plan.nights = nights_;
  plan.dark = dark_;
  plan.keys = keys_;
  if (!keys_.empty()) {
    plan.bulb.reset();
    plan.rampTo.reset();
  }
}

void NightValues::take(const ShootingPlan& plan) {
  if (plan.mode != ShootingPlan::Mode::interval) return;
  ends_ = plan.until.has_value();
  if (plan.until) endAt_ = *plan.until;
  nights_ = plan.nights;
  dark_ = plan.dark;
  keys_ = plan.keys;
  chosen_ = 0;
}

void NightValues::keep() const {
  auto& defaults = platform().defaults;
  defaults.set("timerUntil", ends_ ? startTimeWords(endAt_) : "");
  defaults.set("timerNights", std::to_string(nights_));
  defaults.set("timerDark", std::to_string(dark_));
  std::string keys;
  for (const auto& key : keys_) keys += (keys.empty() ? "" : " ") + keyframeWords(key);
  defaults.set("timerKeys", keys);
}

}  // namespace kiro
