#include "plan/schedule.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "plan/durations.h"
#include "plan/night_windows.h"
#include "plan/start_time.h"

namespace kiro {

namespace {

using Where = Result<std::optional<Location>>;

constexpr Millis kDay{24LL * 3600 * 1000};

struct Setting {
  WallTime at;
  Millis bulb{0};
  Millis interval{0};
};

// The keyframes of the night from start on, each the first such moment at or after it.
Result<std::vector<Setting>> keyframes(const ShootingPlan& plan, WallTime start, const WallClock& clock, const Where& where) {
  std::vector<Setting> result;
  for (const auto& key : plan.keys) {
    const auto at = nextStart(key.at, start - Millis{1}, kDay, clock, where);
    if (!at.ok()) return at.error();
    result.push_back({at.value(), key.bulb, key.interval.value_or(plan.interval)});
  }
  std::stable_sort(result.begin(), result.end(), [](const Setting& a, const Setting& b) { return a.at < b.at; });
  return result;
}

// The bulb and interval at at: between two keyframes the bulb evenly in stops and the interval
// linearly; before the first the first's, after the last the last's.
Setting between(const std::vector<Setting>& keys, WallTime at) {
  const auto next = std::upper_bound(keys.begin(), keys.end(), at, [](WallTime t, const Setting& key) { return t < key.at; });
  if (next == keys.begin()) return {at, keys.front().bulb, keys.front().interval};
  if (next == keys.end()) return {at, keys.back().bulb, keys.back().interval};
  const Setting& from = *(next - 1);
  const double share = static_cast<double>((at - from.at).count()) / static_cast<double>((next->at - from.at).count());
  const double ratio = static_cast<double>(next->bulb.count()) / static_cast<double>(from.bulb.count());
  const double bulb = static_cast<double>(from.bulb.count()) * std::pow(ratio, share);
  const double interval = static_cast<double>(from.interval.count()) + static_cast<double>((next->interval - from.interval).count()) * share;
  return {at, Millis{std::llround(bulb)}, Millis{std::llround(interval)}};
}

// Each slot's start and interval, and its bulb where keyframes set it.
Result<std::vector<Setting>> slots(const ShootingPlan& plan, WallTime first, const WallClock& clock, const Where& where) {
  const auto nights = nightWindows(plan, first, clock, where);
  if (!nights.ok()) return nights.error();
  std::vector<Setting> result;
  for (const NightWindow& window : nights.value()) {
    const auto keys = keyframes(plan, window.start, clock, where);
    if (!keys.ok()) return keys.error();
    WallTime at = window.start;
    for (int shot = 0; window.end ? at < *window.end : shot < *plan.count; ++shot) {
      if (result.size() == static_cast<std::size_t>(kMostShots)) return Error{Text("the plan would take more than %1 shots", kMostShots)};
      const Setting slot = keys.value().empty() ? Setting{at, Millis{0}, plan.interval} : between(keys.value(), at);
      result.push_back(slot);
      at += std::max(slot.interval, Millis{1});
    }
  }
  return result;
}

// A plan that lists its shots, its first firstIn from now; or the first slot whose shots and
// their notices do not fit its interval.
Result<Schedule> listShots(const ShootingPlan& plan, Millis firstIn, const WallClock& clock, const Where& where) {
  const WallTime first = clock.now() + firstIn;
  const auto laid = slots(plan, first, clock, where);
  if (!laid.ok()) return laid.error();
  ShootingPlan spread = plan;  // a ramp goes from the first shot to the last of all nights
  spread.count = static_cast<int>(laid.value().size());
  std::vector<Exposure> listed;
  for (std::size_t index = 0; index < laid.value().size(); ++index) {
    const Setting& slot = laid.value()[index];
    const Millis middle = plan.keys.empty() ? slotBulb(spread, static_cast<int>(index)) : slot.bulb;
    const Millis start = slot.at - first;
    Millis used{0};
    for (int shot = 0; shot < plan.bracket; ++shot) {
      const Millis bulb = bracketBulb(plan, middle, shot);
      listed.push_back({start + used, bulb});
      used += bulb + kReleaseNotice;
    }
    if (used <= slot.interval) continue;
    const auto number = static_cast<int>(listed.size()) - plan.bracket + 1;
    const Text when = localDayAndTime(clock, slot.at - clock.now(), Millis{0});
    const std::string interval = durationText(slot.interval);
    if (plan.bracket > 1)
      return Error{Text("shot %1 (%2): the interval (%3) is shorter than a bracket of %4 shots and their release notices (%5)",
                        number, when, interval, plan.bracket, durationText(used))};
    return Error{Text("shot %1 (%2): the interval (%3) is shorter than its bulb (%4) and its release notice (%5)", number, when,
                      interval, durationText(used - kReleaseNotice), durationText(kReleaseNotice))};
  }
  return Schedule(plan, firstIn, std::move(listed), laid.value().back().interval);
}

}  // namespace

Schedule::Schedule(ShootingPlan plan, Millis firstIn, std::vector<Exposure> listed, Millis lastInterval)
    : plan_(std::move(plan)), firstIn_(firstIn), listed_(std::move(listed)), lastInterval_(lastInterval) {}

std::optional<int> Schedule::count() const {
  if (listsShots(plan_)) return static_cast<int>(listed_.size());
  return exposureCount(plan_);
}

Exposure Schedule::exposure(int index) const {
  if (listsShots(plan_)) return listed_.at(static_cast<std::size_t>(index));
  return kiro::exposure(plan_, index);
}

Millis Schedule::lastInterval() const { return listsShots(plan_) ? lastInterval_ : plan_.interval; }

std::optional<Millis> Schedule::length() const {
  if (!listsShots(plan_)) return planLength(plan_);
  return listed_.back().at + listed_.back().length + kReleaseNotice;
}

Result<Schedule> schedulePlan(const ShootingPlan& plan, const WallClock& clock, const Where& where) {
  if (auto checked = checkPlan(plan); !checked.ok()) return checked.error();
  Millis firstIn = plan.delay.value_or(Millis{0});
  if (plan.at) {
    const auto wait = untilStart(*plan.at, clock, where);
    if (!wait.ok()) return wait.error();
    firstIn = wait.value();
  }
  Schedule schedule(plan, firstIn);
  if (listsShots(plan)) {
    auto listed = listShots(plan, firstIn, clock, where);
    if (!listed.ok()) return listed.error();
    schedule = std::move(listed).value();
  }
  if (auto checked = checkLength(schedule.length(), firstIn); !checked.ok()) return checked.error();
  return schedule;
}

}  // namespace kiro
