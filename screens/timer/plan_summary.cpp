#include "screens/timer/plan_summary.h"

#include "platform/platform.h"
#include "platform/wall_clock.h"

namespace kiro {

Result<Schedule> scheduleNow(const ShootingPlan& plan) {
  return schedulePlan(plan, wallClock(), keptLocation(platform().defaults));
}

Text planSummary(const Result<Schedule>& schedule, bool counted) {
  if (!schedule.ok()) return schedule.error().text;
  const Millis now = platform().runLoop.now();
  const Millis first = now + schedule.value().firstIn();
  const auto length = schedule.value().length();
  const Text start = localDayAndTime(wallClock(), first, now);
  if (!length) return Text("First shot %1, until stopped", start);
  const Text end = localDayAndTime(wallClock(), first + *length, now);
  const auto shots = schedule.value().count();
  if (counted && shots) return Text("First shot %1, %2 shots, ends about %3", start, *shots, end);
  return Text("First shot %1, ends about %2", start, end);
}

}  // namespace kiro
