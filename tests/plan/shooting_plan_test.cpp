#include "plan/shooting_plan.h"

#include <gtest/gtest.h>

#include "tests/support/failure.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Mode = ShootingPlan::Mode;

TEST(TimedShootingPlan, RefusesWhatCannotRunWithAReason) {
  const ShootingPlan refused[] = {
      {Mode::self, std::nullopt, std::nullopt, {}, {}},  {Mode::self, 0ms, std::nullopt, {}, {}},
      {Mode::bulb, std::nullopt, std::nullopt, {}, {}},  {Mode::bulb, -5ms, 1s, {}, {}},
      {Mode::interval, {}, 0ms, 5s, 3},                  {Mode::interval, {}, {}, 5s, 0},
      {Mode::interval, {}, 1s, 1999ms, 3},               {Mode::interval, {}, {}, 1199ms, {}},
  };
  for (const auto& plan : refused) EXPECT_FALSE(checkPlan(plan).ok()) << modeName(plan.mode);
  EXPECT_TRUE(checkPlan({Mode::interval, {}, 1s, 2s, {}}).ok());
  EXPECT_TRUE(checkPlan({Mode::interval, {}, {}, 1200ms, 1}).ok());

  const auto problem = [](ShootingPlan plan, auto change) {
    change(plan);
    return failure(checkPlan(plan));
  };
  const ShootingPlan ramp{Mode::interval, {}, 100ms, 21s, 600};
  EXPECT_EQ(problem(ramp, [](ShootingPlan& p) { p.rampTo = 20s; }), "");
  EXPECT_EQ(problem(ramp, [](ShootingPlan& p) { p.rampTo = 20001ms; }),
            "the interval (21 s) is shorter than the longest bulb (20.001 s) and its release notice (1 s)");
  EXPECT_NE(problem(ramp, [](ShootingPlan& p) { p.count.reset(), p.rampTo = 1s; }), "");
  const auto bracket = [](ShootingPlan& p) { p.bracket = 3, p.bracketStops = 1, p.bulb = 1s, p.interval = 6499ms; };
  EXPECT_EQ(problem(ramp, bracket),
            "the interval (6.499 s) is shorter than a bracket of 3 shots and their release notices (6.5 s)");
  const auto brackets = [](int shots) {
    return [shots](ShootingPlan& p) { p.bracket = shots, p.bracketStops = 1, p.bulb = 1s, p.interval = 99s; };
  };
  EXPECT_EQ(problem(ramp, brackets(9)), "");
  EXPECT_EQ(problem(ramp, brackets(6)), "a bracket takes 3, 5, 7 or 9 shots");
  EXPECT_TRUE(problem(ramp, [](ShootingPlan& p) { p.interval = 99h, p.count = 9999; }).ends_with(", past 7 days"));
  // Seven days to the end of the last release notice, and not a millisecond more.
  const Millis third = (kLongestPlan - 3s) / 2;
  EXPECT_TRUE(checkPlan({Mode::interval, 1s, 1s, third, 3}).ok());
  EXPECT_EQ(failure(checkPlan({Mode::interval, 1s, 1001ms, third, 3})), "the plan would run 168 h 0.001 s, past 7 days");
  // No way in takes a duration past the ladders.
  EXPECT_EQ(failure(checkPlan({Mode::bulb, 1s, 4h + 1ms, {}, {}})), "the bulb time is at most 4 h");
  EXPECT_EQ(problem(ramp, [](ShootingPlan& p) { p.rampTo = 4h + 1ms; }), "the ramp's last bulb is at most 4 h");
  EXPECT_NE(problem(ramp, [](ShootingPlan& p) { p.at = StartTime{std::nullopt, 60, {}}, p.delay = 1s; }), "");
}

}  // namespace
}  // namespace kiro
