#include "plan/timed_shooting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "tests/support/simulated_world.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Mode = ShootingPlan::Mode;

class TimedShootingRun : public ::testing::Test, protected SimulatedWorld {};

// The bulbs go evenly in stops from the first to the last, each shot on its grid; a
// bracket's shots follow one another with the release notice between.
TEST_F(TimedShootingRun, ARampAndABracketHoldEachShotForItsOwnPlannedLength) {
  std::vector<std::pair<Millis, Millis>> shots;  // pressed, let go
  std::vector<Millis> reported;
  std::optional<TimedShooting> shooting;
  shooting.emplace(TimedShooting::Shutter{[&] {
                                            shots.push_back({loop.now(), 0ms});
                                            reported.push_back(shooting->status().bulb.value_or(0ms));
                                          },
                                          [&] { shots.back().second = loop.now(); }, [] { return true; }},
                   [] {});
  ShootingPlan ramp{Mode::interval, {}, 100ms, 21s, 600};
  ramp.rampTo = 20s;
  shooting->start(Schedule(ramp, 5s));
  loop.advance(5s + 600 * 21s);
  ASSERT_EQ(shots.size(), 600u);
  for (std::size_t i = 0; i < shots.size(); ++i) {
    const double planned = 100 * std::pow(200.0, static_cast<double>(i) / 599);
    EXPECT_NEAR(static_cast<double>((shots[i].second - shots[i].first).count()), planned, 1.0) << i;
    EXPECT_EQ(reported[i], shots[i].second - shots[i].first) << i;
    EXPECT_LE(shots[i].first - (5s + static_cast<int>(i) * 21s), 25ms) << i;
  }
  EXPECT_EQ(shooting->status().state, ShootingStatus::State::done);

  shots.clear();
  ShootingPlan bracket{Mode::interval, {}, 1s, 41s, 2};
  bracket.bracket = 9, bracket.bracketStops = 1;
  const Millis start = loop.now();
  shooting->start(Schedule(bracket, 0ms));
  loop.advance(82s);
  ASSERT_EQ(shots.size(), 18u);
  const Millis lengths[] = {63ms, 125ms, 250ms, 500ms, 1s, 2s, 4s, 8s, 16s};
  Millis at{0};
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(shots[i].first - start, at) << i;
    EXPECT_EQ(shots[i].second - shots[i].first, lengths[i]) << i;
    EXPECT_EQ(shots[i + 9].first - shots[i].first, 41s) << i;
    at += lengths[i] + kReleaseNotice;
  }
  EXPECT_EQ(shooting->status().of, 18);
}

// Its own shots done, the series waits as long as it takes for the lens to be covered, then
// takes the dark frames with the last bulb at the last interval; a stop while it waits ends
// it without them.
TEST_F(TimedShootingRun, DarkFramesWaitForContinueThenTakeTheLastBulbAtTheLastInterval) {
  std::vector<std::pair<Millis, Millis>> shots;  // pressed, let go
  TimedShooting shooting({[&] { shots.push_back({loop.now(), 0ms}); }, [&] { shots.back().second = loop.now(); },
                          [] { return true; }},
                         [] {});
  ShootingPlan plan{Mode::interval, {}, 1s, 5s, 3};
  plan.rampTo = 2s, plan.dark = 2;
  shooting.start(Schedule(plan, 0ms));
  EXPECT_FALSE(shooting.continueSeries());
  loop.advance(1h);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(shooting.status().state, ShootingStatus::State::waiting);
  EXPECT_EQ(shooting.status().of, 5);
  const Millis asked = loop.now();
  EXPECT_TRUE(shooting.continueSeries());
  loop.advance(1h);
  ASSERT_EQ(shots.size(), 5u);
  for (const std::size_t dark : {3u, 4u}) {
    EXPECT_EQ(shots[dark].first, asked + static_cast<int>(dark - 3) * 5s);
    EXPECT_EQ(shots[dark].second - shots[dark].first, 2s);
  }
  EXPECT_EQ(shooting.status().state, ShootingStatus::State::done);

  shooting.start(Schedule(plan, 0ms));
  loop.advance(1h);
  shooting.stop();
  loop.advance(1h);
  EXPECT_EQ(shots.size(), 8u);
  EXPECT_EQ(shooting.status().state, ShootingStatus::State::stopped);
}

}  // namespace
}  // namespace kiro
