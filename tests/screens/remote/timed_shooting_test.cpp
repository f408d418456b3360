#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using Mode = ShootingPlan::Mode;
using State = ShootingStatus::State;

using TimedShootingTest = RemoteScreenFixture;

TEST(TimedShootingPlan, RefusesWhatCannotRunWithAReason) {
  const ShootingPlan refused[] = {
      {Mode::self, std::nullopt, std::nullopt, {}, {}},  {Mode::self, 0ms, std::nullopt, {}, {}},
      {Mode::bulb, std::nullopt, std::nullopt, {}, {}},  {Mode::bulb, -5ms, 1s, {}, {}},
      {Mode::interval, {}, 0ms, 5s, 3},                  {Mode::interval, {}, {}, 5s, 0},
      {Mode::interval, {}, 1s, 1999ms, 3},               {Mode::interval, {}, {}, 1199ms, {}},
  };
  for (const auto& plan : refused) EXPECT_TRUE(planProblem(plan).has_value()) << modeName(plan.mode);
  EXPECT_EQ(planProblem({Mode::interval, {}, 1s, 2s, {}}), std::nullopt);
  EXPECT_EQ(planProblem({Mode::interval, {}, {}, 1200ms, 1}), std::nullopt);
}

// The 1,000th shot of a 2 s interval starts where the plan put it, not where 999 late
// starts would have pushed it.
TEST_F(TimedShootingTest, EachShotStartsWithinAPumpPeriodOfItsPlannedTimeWithoutDrift) {
  auto& receiver = loadAndConnect();
  const Millis start = loop.now();
  ASSERT_EQ(remote->startTimedShooting({Mode::interval, 3s, std::nullopt, 2s, 1000}), std::nullopt);
  for (const int shot : {0, 999}) {
    const Millis planned = start + 3s + shot * 2s;
    while (loop.now() + 100s < planned) {
      loop.advance(100s);
      receiver.clearWrites();
    }
    loop.advance(planned - loop.now());
    receiver.clearWrites();
    loop.advance(25ms);
    ASSERT_FALSE(receiver.writes().empty()) << shot;
    EXPECT_EQ(receiver.writes().front().bytes, Bytes{0x30}) << shot;
    EXPECT_LE(receiver.writes().front().time - planned, 25ms) << shot;
  }
  loop.advance(3s);
  EXPECT_EQ(remote->timedShooting().state, State::done);
  EXPECT_EQ(remote->timedShooting().shot, 1000);
}

// A bulb holds R for exactly its time, then the notice follows as after a hand; stopping
// lets a held shot go at once and drops the rest; a hand on F stops the sequence first.
TEST_F(TimedShootingTest, ABulbHoldsRForItsTimeAndStopOrAHandEndsTheSequence) {
  auto& receiver = loadAndConnect();
  ASSERT_EQ(remote->startTimedShooting({Mode::bulb, 100ms, 500ms, {}, {}}), std::nullopt);
  loop.advance(99ms);
  EXPECT_EQ(takeBytes(receiver), Bytes{});
  loop.advance(502ms);
  Bytes held(20, 0x30);
  held.push_back(0x40);  // the release notice
  EXPECT_EQ(takeBytes(receiver), held);
  EXPECT_EQ(remote->timedShooting().state, State::done);

  loop.advance(2s);
  takeBytes(receiver);
  ASSERT_EQ(remote->startTimedShooting({Mode::interval, {}, 1s, 3s, {}}), std::nullopt);
  loop.advance(500ms);
  remote->stopTimedShooting();
  EXPECT_EQ(remote->byteArray(), (std::vector<std::string>{"0", "1", "0", "0"}));
  loop.advance(5s);
  EXPECT_EQ(remote->timedShooting().shot, 1);
  EXPECT_EQ(remote->timedShooting().state, State::stopped);

  ASSERT_EQ(remote->startTimedShooting({Mode::self, 1s, {}, {}, {}}), std::nullopt);
  touch("F");
  EXPECT_EQ(remote->timedShooting().state, State::stopped);
  EXPECT_TRUE(f->isSelected());
  loop.advance(2s);
  EXPECT_EQ(remote->timedShooting().shot, 0);
}

// The schedule keeps going while the receiver is away; a shot due then is missed.
TEST_F(TimedShootingTest, AShotDueWhileTheReceiverIsAwayIsMissedAndTheNextOneGoes) {
  auto& receiver = loadAndConnect();
  ASSERT_EQ(remote->startTimedShooting({Mode::interval, {}, {}, 3s, 3}), std::nullopt);
  loop.advance(1s);
  receiver.simulateOutOfRange();
  loop.advance(3s);
  EXPECT_EQ(remote->timedShooting().missed, 1);
  receiver.simulateBackInRange();
  loop.advance(2300ms);
  EXPECT_EQ(remote->timedShooting().state, State::done);
  EXPECT_EQ(remote->timedShooting().shot, 3);
  EXPECT_EQ(remote->timedShooting().missed, 1);
}

}  // namespace
}  // namespace kiro::remote_test
