#pragma once

#include <optional>
#include <vector>

#include "base/result.h"
#include "plan/location.h"
#include "plan/shooting_plan.h"
#include "platform/wall_clock.h"

namespace kiro {

// A plan laid out from now: when its first shot is and, for a plan that lists its shots (an
// end time, nights, keyframes), each shot; else they follow the plan's even steps.
class Schedule {
 public:
  Schedule() = default;
  Schedule(ShootingPlan plan, Millis firstIn, std::vector<Exposure> listed = {}, Millis lastInterval = {});

  const ShootingPlan& plan() const { return plan_; }
  // From now to the first shot.
  Millis firstIn() const { return firstIn_; }
  // How many exposures; none: until stopped.
  std::optional<int> count() const;
  // Exposure index (from 0), its start after the first one's.
  Exposure exposure(int index) const;
  // From the first shot's start to the end of the last one's release notice; none: until stopped.
  std::optional<Millis> length() const;
  // From the last shot's start to where the next one would start.
  Millis lastInterval() const;

 private:
  ShootingPlan plan_;
  Millis firstIn_{0};
  std::vector<Exposure> listed_;
  Millis lastInterval_{0};
};

// plan laid out from now on clock at where (the location kept, which a sun event needs), or
// why it cannot run: a check of checkPlan, a start or end that has no moment, a shot that does
// not fit its interval (named with its time), or a plan too long.
Result<Schedule> schedulePlan(const ShootingPlan& plan, const WallClock& clock, const Result<std::optional<Location>>& where);

}  // namespace kiro
