#include "plan/schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "plan/plan_words.h"
#include "plan/timed_shooting.h"
#include "tests/support/failure.h"
#include "tests/support/simulated_world.h"

namespace kiro {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const Location kZurich{47.37, 8.54};

class PlanSchedule : public ::testing::Test, protected SimulatedWorld {
 protected:
  // words read as a plan, written back the same, and laid out from now in Zurich.
  Result<Schedule> schedule(const std::string& words) {
    std::vector<std::string> split;
    std::istringstream in(words);
    for (std::string word; in >> word;) split.push_back(word);
    const auto plan = parsePlanWords(split);
    if (!plan.ok()) return plan.error();
    EXPECT_EQ(planWords(plan.value()), words);
    return schedulePlan(plan.value(), clock, std::optional<Location>(kZurich));
  }
  WallTime at(const Schedule& laid, int shot) const { return clock.now() + laid.firstIn() + laid.exposure(shot).at; }

  VirtualWallClock clock{loop, sys_days{September / 15 / 2027} + 12h};
};

// Before sunset the first key's half second every 5 s, after nautical dusk the last's 20 s
// every 25 s; between, the bulb evenly in stops and the interval linearly. Run, each shot
// holds its planned bulb from its planned start.
TEST_F(PlanSchedule, ADayToNightSeriesFollowsItsKeyframesAndEachShotRunsAsPlanned) {
  clock.setOffset(WallTime{}, 2h);
  const auto laid =
      schedule("interval 5s --until nautical-dusk+30m --at sunset-30m --key sunset=500ms/5s --key nautical-dusk=20s/25s");
  ASSERT_TRUE(laid.ok()) << failure(laid);
  const auto day = sys_days{September / 15 / 2027};
  const WallTime sunset = sunEventOn(SunEvent::sunset, kZurich, day, clock).value();
  const WallTime dusk = sunEventOn(SunEvent::nauticalDusk, kZurich, day, clock).value();
  const int count = *laid.value().count();
  EXPECT_EQ(at(laid.value(), 0), sunset - 30min);
  for (int shot = 0; shot + 1 < count; ++shot) {
    const WallTime start = at(laid.value(), shot);
    const double share = std::clamp(duration<double>(start - sunset) / (dusk - sunset), 0.0, 1.0);
    const Millis length = laid.value().exposure(shot).length;
    EXPECT_NEAR(std::log2(static_cast<double>(length.count()) / 500), share * std::log2(40.0), 0.01) << shot;
    EXPECT_NEAR(static_cast<double>((at(laid.value(), shot + 1) - start).count()), 5000 + share * 20000, 1.0) << shot;
  }
  EXPECT_LT(at(laid.value(), count - 1), dusk + 30min);
  EXPECT_GE(at(laid.value(), count - 1) + 25s, dusk + 30min);

  std::vector<std::pair<Millis, Millis>> shots;  // pressed, let go
  TimedShooting shooting({[&] { shots.push_back({loop.now(), 0ms}); }, [&] { shots.back().second = loop.now(); },
                          [] { return true; }},
                         [] {});
  shooting.start(laid.value());
  loop.advance(laid.value().firstIn() + *laid.value().length());
  ASSERT_EQ(shots.size(), static_cast<std::size_t>(count));
  for (int shot = 0; shot < count; ++shot) {
    const Exposure planned = laid.value().exposure(shot);
    const auto& [pressed, letGo] = shots[static_cast<std::size_t>(shot)];
    EXPECT_LE(abs(pressed - laid.value().firstIn() - planned.at), 25ms) << shot;
    EXPECT_LE(abs(letGo - pressed - planned.length), 1ms) << shot;
  }
}

// Zurich's clocks go back early on 31 October 2027: the second night is an hour longer, and
// each night starts at its own 22:00.
TEST_F(PlanSchedule, NightsAcrossTheClockChangeStartEachAtItsLocalTime) {
  loop.advance(sys_days{October / 29 / 2027} - sys_days{September / 15 / 2027});
  clock.setOffset(WallTime{}, 2h);
  clock.setOffset(sys_days{October / 31 / 2027} + 1h, 1h);
  const auto laid = schedule("interval 10m --until 06:00 --at 22:00 --nights 3");
  ASSERT_TRUE(laid.ok()) << failure(laid);
  EXPECT_EQ(laid.value().count(), 48 + 54 + 48);
  EXPECT_EQ(at(laid.value(), 0), sys_days{October / 29 / 2027} + 20h);
  EXPECT_EQ(at(laid.value(), 47), sys_days{October / 30 / 2027} + 3h + 50min);
  EXPECT_EQ(at(laid.value(), 48), sys_days{October / 30 / 2027} + 20h);
  EXPECT_EQ(at(laid.value(), 102), sys_days{October / 31 / 2027} + 21h);
}

TEST_F(PlanSchedule, RefusesAPlanNamingWhatDoesNotFit) {
  clock.setOffset(WallTime{}, 2h);
  EXPECT_EQ(failure(schedule("interval 5s --until 23:00 --at 20:00 --key 20:00=1s --key 22:00=10s")),
            "shot 869 (21:12): the interval (5 s) is shorter than its bulb (4.007 s) and its release notice (1 s)");
  EXPECT_EQ(failure(schedule("interval 5s --until 06:00 --nights 2")), "nights need a start (--at) and an end (--until)");
  EXPECT_EQ(failure(schedule("interval 2s --until 20:00")), "the plan would take more than 9999 shots");
}

}  // namespace
}  // namespace kiro
