#pragma once

#include <optional>
#include <vector>

#include "base/result.h"
#include "plan/location.h"
#include "plan/shooting_plan.h"
#include "platform/wall_clock.h"

namespace kiro {

// A plan's window on one night: from its start to its end, or none when the plan counts its
// shots instead.
struct NightWindow {
  WallTime start;
  std::optional<WallTime> end;
};

// plan's window on each of its nights, the first from first (its first shot's moment) on, as
// the schedule lays its shots in them; or why a start or an end has no moment.
Result<std::vector<NightWindow>> nightWindows(const ShootingPlan& plan, WallTime first, const WallClock& clock,
                                              const Result<std::optional<Location>>& where);

}  // namespace kiro
