#include "plan/shooting_plan.h"

#include <algorithm>
#include <cmath>

#include "plan/durations.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;

int slotShots(const ShootingPlan& plan) { return plan.mode == Mode::interval ? plan.bracket : 1; }

Millis bracketed(const ShootingPlan& plan, int slot, int shot) { return bracketBulb(plan, slotBulb(plan, slot), shot); }

// From a slot's first shot to the end of its last release notice.
Millis slotLength(const ShootingPlan& plan, int slot) {
  Millis length{0};
  for (int shot = 0; shot < slotShots(plan); ++shot) length += bracketed(plan, slot, shot) + kReleaseNotice;
  return length;
}

// The checks of an end, nights and keyframes; whether each shot fits is the schedule's.
Result<> checkLists(const ShootingPlan& plan) {
  if (plan.until && plan.count) return Error{Text("a plan ends after a number of shots or at a time, not both")};
  if (plan.nights < 1 || plan.nights > kMostNights) return Error{Text("a plan runs on 1 to %1 nights", kMostNights)};
  if (plan.nights > 1 && (!plan.at || !plan.until)) return Error{Text("nights need a start (--at) and an end (--until)")};
  if (plan.until)
    if (auto checked = checkStartTime(*plan.until); !checked.ok()) return checked;
  if (plan.keys.empty()) return {};
  if (plan.bulb) return Error{Text("keyframes set the bulb: give --bulb, --ramp or --key")};
  if (plan.keys.size() > static_cast<std::size_t>(kMostKeys)) return Error{Text("at most %1 keyframes", kMostKeys)};
  if (!plan.count && !plan.until) return Error{Text("keyframes need a number of shots or an end (--until)")};
  for (const auto& key : plan.keys) {
    if (auto checked = checkStartTime(key.at); !checked.ok()) return checked;
    if (auto checked = checkBulb(key.bulb); !checked.ok()) return checked;
    if (key.interval && (*key.interval <= Millis{0} || *key.interval > kLongestDuration))
      return Error{Text("a keyframe's interval is more than zero and at most %1", durationText(kLongestDuration))};
  }
  return {};
}

Result<> checkInterval(const ShootingPlan& plan) {
  if (plan.count && *plan.count <= 0) return Error{Text("the number of shots must be more than zero")};
  if (plan.count && *plan.count > kMostShots) return Error{Text("at most %1 shots", kMostShots)};
  if (plan.bracket < 1 || plan.bracket > 9 || plan.bracket % 2 == 0) return Error{Text("a bracket takes 3, 5, 7 or 9 shots")};
  if (plan.bracket > 1 && !plan.bulb && plan.keys.empty()) return Error{Text("a bracket needs a bulb to go around")};
  if (plan.bracket > 1 && (plan.bracketStops <= 0 || plan.bracketStops > 3))
    return Error{Text("a bracket's step must be more than 0 and at most 3 stops")};
  if (plan.rampTo && !plan.bulb) return Error{Text("a ramp needs the bulb it starts from")};
  if (plan.rampTo && *plan.rampTo <= Millis{0}) return Error{Text("the ramp's last bulb must be more than zero")};
  if (plan.rampTo && *plan.rampTo > kLongestBulb)
    return Error{Text("the ramp's last bulb is at most %1", durationText(kLongestBulb))};
  if (plan.interval > kLongestDuration) return Error{Text("the interval is at most %1", durationText(kLongestDuration))};
  if (plan.rampTo && !plan.until && (!plan.count || *plan.count < 2))
    return Error{Text("a ramp needs a number of shots, 2 or more, or an end")};
  if (auto checked = checkLists(plan); !checked.ok() || listsShots(plan)) return checked;
  // The ramp goes one way, so the longest slot is the first or the last.
  const int last = plan.count && plan.rampTo ? *plan.count - 1 : 0;
  const int longest = slotLength(plan, last) > slotLength(plan, 0) ? last : 0;
  const Millis slot = slotLength(plan, longest);
  if (plan.interval >= slot) return {};
  const std::string interval = durationText(plan.interval);
  if (plan.bracket > 1)
    return Error{Text("the interval (%1) is shorter than a bracket of %2 shots and their release notices (%3)", interval,
                      plan.bracket, durationText(slot))};
  const std::string bulb = durationText(slot - kReleaseNotice);
  const std::string notice = durationText(kReleaseNotice);
  if (plan.rampTo)
    return Error{Text("the interval (%1) is shorter than the longest bulb (%2) and its release notice (%3)", interval, bulb,
                      notice)};
  return Error{Text("the interval (%1) is shorter than a shot (%2) and its release notice (%3)", interval, bulb, notice)};
}

}  // namespace

const char* modeName(Mode mode) {
  switch (mode) {
    case Mode::self: return "self";
    case Mode::bulb: return "bulb";
    case Mode::interval: return "interval";
  }
  return "";
}

Result<> checkBulb(Millis bulb) {
  if (bulb <= Millis{0}) return Error{Text("the bulb time must be more than zero")};
  if (bulb > kLongestBulb) return Error{Text("the bulb time is at most %1", durationText(kLongestBulb))};
  return {};
}

Result<> checkPlan(const ShootingPlan& plan) {
  if (plan.delay && *plan.delay <= Millis{0}) return Error{Text("the delay must be more than zero")};
  if (plan.delay && *plan.delay > kLongestDuration) return Error{Text("the delay is at most %1", durationText(kLongestDuration))};
  if (plan.bulb)
    if (auto checked = checkBulb(*plan.bulb); !checked.ok()) return checked;
  if (plan.at)
    if (auto checked = checkStartTime(*plan.at); !checked.ok()) return checked;
  if (plan.at && plan.delay) return Error{Text("a plan starts after a delay or at a time, not both")};
  if (plan.mode != Mode::interval && (plan.rampTo || plan.bracket != 1))
    return Error{Text("ramps and brackets are for intervals")};
  if (plan.mode != Mode::interval && (plan.until || plan.nights != 1 || !plan.keys.empty()))
    return Error{Text("an end, nights and keyframes are for intervals")};
  if (plan.dark < 0 || plan.dark > kMostDark) return Error{Text("dark frames are 0 to %1", kMostDark)};
  if (plan.dark > 0 && (plan.mode != Mode::interval || (!plan.count && !plan.until)))
    return Error{Text("dark frames need an interval series that ends")};
  switch (plan.mode) {
    case Mode::self:
      if (!plan.delay && !plan.at) return Error{Text("the self-timer needs a delay or a start time")};
      break;
    case Mode::bulb:
      if (!plan.bulb) return Error{Text("a bulb exposure needs its length")};
      break;
    case Mode::interval:
      if (auto checked = checkInterval(plan); !checked.ok()) return checked;
      break;
  }
  return listsShots(plan) ? Result<>{} : checkLength(planLength(plan), plan.delay.value_or(Millis{0}));
}

Result<> checkLength(std::optional<Millis> length, Millis firstShotIn) {
  if (length && firstShotIn + *length > kLongestPlan)
    return Error{Text("the plan would run %1, past 7 days", durationText(firstShotIn + *length))};
  return {};
}

bool listsShots(const ShootingPlan& plan) { return plan.until || plan.nights > 1 || !plan.keys.empty(); }

Millis slotBulb(const ShootingPlan& plan, int slot) {
  if (!plan.bulb) return kShortPress;
  if (!plan.rampTo || !plan.count || *plan.count < 2) return *plan.bulb;
  const double ratio = static_cast<double>(plan.rampTo->count()) / static_cast<double>(plan.bulb->count());
  const double share = static_cast<double>(slot) / (*plan.count - 1);
  return Millis{std::llround(static_cast<double>(plan.bulb->count()) * std::pow(ratio, share))};
}

Millis bracketBulb(const ShootingPlan& plan, Millis middle, int shot) {
  if (plan.bracket == 1) return middle;
  const double stops = (shot - (plan.bracket - 1) / 2) * plan.bracketStops;
  return Millis{std::max(1LL, std::llround(static_cast<double>(middle.count()) * std::exp2(stops)))};
}

std::optional<int> exposureCount(const ShootingPlan& plan) {
  if (plan.mode != Mode::interval) return 1;
  if (!plan.count) return std::nullopt;
  return *plan.count * plan.bracket;
}

Exposure exposure(const ShootingPlan& plan, int index) {
  const int slot = index / slotShots(plan), shot = index % slotShots(plan);
  Exposure result{slot * plan.interval, bracketed(plan, slot, shot)};
  if (plan.mode == Mode::self) result.length = kShortPress;
  // Bracketed shots follow one another, each after the one before has had its notice.
  for (int before = 0; before < shot; ++before) result.at += bracketed(plan, slot, before) + kReleaseNotice;
  return result;
}

bool variesBulb(const ShootingPlan& plan) { return plan.rampTo.has_value() || plan.bracket > 1 || !plan.keys.empty(); }

std::optional<Millis> planLength(const ShootingPlan& plan) {
  const auto count = exposureCount(plan);
  if (!count) return std::nullopt;
  const Exposure last = exposure(plan, *count - 1);
  return last.at + last.length + kReleaseNotice;
}

}  // namespace kiro
