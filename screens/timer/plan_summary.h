#pragma once

#include "base/result.h"
#include "base/text.h"
#include "plan/schedule.h"

namespace kiro {

// A plan laid out from now on the wall clock at the kept location, or why it cannot run.
Result<Schedule> scheduleNow(const ShootingPlan& plan);
// When schedule's first shot is and when it ends, on the wall clock, with its number of shots
// when counted; for a plan that cannot run, why not.
Text planSummary(const Result<Schedule>& schedule, bool counted = false);

}  // namespace kiro
