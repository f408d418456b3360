#include "platform/sim/virtual_run_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kiro {
namespace {

using namespace std::chrono_literals;

TEST(VirtualRunLoop, RunsTimersInTimeOrderTiesInScheduleOrderAndNestedOnesFromTheirCallback) {
  VirtualRunLoop loop;
  std::vector<std::string> fired;
  const auto mark = [&](std::string name) {
    return [&, name] { fired.push_back(name + std::to_string(loop.now().count())); };
  };
  auto once = loop.scheduleTimer(30ms, false, mark("c@"));
  loop.performAfterDelay(10ms, mark("a@"));
  loop.performAfterDelay(10ms, [&] {
    mark("b@")();
    loop.performAfterDelay(25ms, mark("nested@"));
  });
  loop.advance(34ms);
  EXPECT_EQ(fired, (std::vector<std::string>{"a@10", "b@10", "c@30"}));
  EXPECT_FALSE(once->isValid());
  loop.sleepFor(1ms);  // outside any timer: nothing runs until the loop does
  EXPECT_EQ(fired.size(), 3u);
  loop.runDue();
  EXPECT_EQ(fired.back(), "nested@35");
}

// One that falls behind during a blocking sleep fires once and keeps its phase.
TEST(VirtualRunLoop, ARepeatingTimerKeepsItsPhaseThroughASleepUntilItInvalidatesItselfAndOthers) {
  VirtualRunLoop loop;
  std::vector<Millis> ticks;
  auto other = loop.scheduleTimer(140ms, false, [] { ADD_FAILURE() << "fired after it was invalidated"; });
  std::shared_ptr<Timer> pump;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> heldWatch = held;
  pump = loop.scheduleTimer(25ms, true, [&, held] {
    ticks.push_back(loop.now());
    if (ticks.size() < 4) return;
    pump->invalidate();
    other->invalidate();
  });
  loop.performAfterDelay(30ms, [&] { loop.sleepFor(45ms); });  // blocks from 30 to 75
  held.reset();
  loop.advance(125ms);
  EXPECT_FALSE(pump->isValid());
  EXPECT_TRUE(heldWatch.expired()) << "what the callback holds outlives its invalidation";
  EXPECT_EQ(loop.pendingCount(), 0u);
  loop.advance(100ms);
  // The tick due at 50 runs late at 75, where the phase has one anyway: one tick, no burst.
  EXPECT_EQ(ticks, (std::vector<Millis>{25ms, 75ms, 100ms, 125ms}));
}

TEST(VirtualRunLoop, WhatFellDueDuringASleepPastTheEndHasRunWhenAdvanceReturns) {
  VirtualRunLoop loop;
  Millis firedAt{-1};
  loop.performAfterDelay(30ms, [&] { loop.sleepFor(100ms); });
  loop.performAfterDelay(120ms, [&] { firedAt = loop.now(); });
  loop.advance(50ms);
  EXPECT_EQ(firedAt, 130ms);
}

}  // namespace
}  // namespace kiro
