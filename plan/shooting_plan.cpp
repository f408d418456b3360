#include "plan/shooting_plan.h"

#include <algorithm>
#include <cmath>

#include "plan/durations.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;

int slotShots(const ShootingPlan& plan) { return plan.mode == Mode::interval ? plan.bracket : 1; }

// The middle bulb of interval slot: the ramp's, evenly in stops from the first to the last.
Millis slotBulb(const ShootingPlan& plan, int slot) {
  if (!plan.bulb) return kShortPress;
  if (!plan.rampTo || !plan.count || *plan.count < 2) return *plan.bulb;
  const double ratio = static_cast<double>(plan.rampTo->count()) / static_cast<double>(plan.bulb->count());
  const double share = static_cast<double>(slot) / (*plan.count - 1);
  return Millis{std::llround(static_cast<double>(plan.bulb->count()) * std::pow(ratio, share))};
}

Millis bracketBulb(const ShootingPlan& plan, int slot, int shot) {
  const Millis middle = slotBulb(plan, slot);
  if (plan.bracket == 1) return middle;
  const double stops = (shot - (plan.bracket - 1) / 2) * plan.bracketStops;
  return Millis{std::max(1LL, std::llround(static_cast<double>(middle.count()) * std::exp2(stops)))};
}

// From a slot's first shot to the end of its last release notice.
Millis slotLength(const ShootingPlan& plan, int slot) {
  Millis length{0};
  for (int shot = 0; shot < slotShots(plan); ++shot) length += bracketBulb(plan, slot, shot) + kReleaseNotice;
  return length;
}

Result<> checkInterval(const ShootingPlan& plan) {
  if (plan.count && *plan.count <= 0) return Error{Text("the number of shots must be more than zero")};
  if (plan.count && *plan.count > kMostShots) return Error{Text("at most %1 shots", kMostShots)};
  if (plan.bracket != 1 && plan.bracket != 3 && plan.bracket != 5) return Error{Text("a bracket takes 3 or 5 shots")};
  if (plan.bracket > 1 && !plan.bulb) return Error{Text("a bracket needs a bulb to go around")};
  if (plan.bracket > 1 && (plan.bracketStops <= 0 || plan.bracketStops > 3))
    return Error{Text("a bracket's step must be more than 0 and at most 3 stops")};
  if (plan.rampTo && !plan.bulb) return Error{Text("a ramp needs the bulb it starts from")};
  if (plan.rampTo && *plan.rampTo <= Millis{0}) return Error{Text("the ramp's last bulb must be more than zero")};
  if (plan.rampTo && *plan.rampTo > kLongestBulb)
    return Error{Text("the ramp's last bulb is at most %1", durationText(kLongestBulb))};
  if (plan.interval > kLongestDuration) return Error{Text("the interval is at most %1", durationText(kLongestDuration))};
  if (plan.rampTo && (!plan.count || *plan.count < 2)) return Error{Text("a ramp needs a number of shots, 2 or more")};
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
  return checkRun(plan, plan.delay.value_or(Millis{0}));
}

Result<> checkRun(const ShootingPlan& plan, Millis firstShotIn) {
  const auto length = planLength(plan);
  if (length && firstShotIn + *length > kLongestPlan)
    return Error{Text("the plan would run %1, past 7 days", durationText(firstShotIn + *length))};
  return {};
}

Result<Millis> firstShotIn(const ShootingPlan& plan, const WallClock& clock, const Result<std::optional<Location>>& where) {
  if (plan.at) return untilStart(*plan.at, clock, where);
  return plan.delay.value_or(Millis{0});
}

std::optional<int> exposureCount(const ShootingPlan& plan) {
  if (plan.mode != Mode::interval) return 1;
  if (!plan.count) return std::nullopt;
  return *plan.count * plan.bracket;
}

Exposure exposure(const ShootingPlan& plan, int index) {
  const int slot = index / slotShots(plan), shot = index % slotShots(plan);
  Exposure result{slot * plan.interval, bracketBulb(plan, slot, shot)};
  if (plan.mode == Mode::self) result.length = kShortPress;
  // Bracketed shots follow one another, each after the one before has had its notice.
  for (int before = 0; before < shot; ++before) result.at += bracketBulb(plan, slot, before) + kReleaseNotice;
  return result;
}

bool variesBulb(const ShootingPlan& plan) { return plan.rampTo.has_value() || plan.bracket > 1; }

std::optional<Millis> planLength(const ShootingPlan& plan) {
  const auto count = exposureCount(plan);
  if (!count) return std::nullopt;
  const Exposure last = exposure(plan, *count - 1);
  return last.at + last.length + kReleaseNotice;
}

}  // namespace kiro
