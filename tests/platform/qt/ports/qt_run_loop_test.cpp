#include "platform/qt/ports/qt_run_loop.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>

#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// The last reference to a timer may go inside its own callback, as a screen's restart does.
TEST(QtRunLoop, ARepeatingTimerMayBeReleasedInsideItsCallback) {
  QtRunLoop runLoop;
  int ticks = 0;
  std::shared_ptr<Timer> timer;
  timer = runLoop.scheduleTimer(1ms, true, [&] {
    if (++ticks == 3) timer.reset();
  });
  spinUntil([&] { return timer == nullptr; });
  bool later = false;
  runLoop.performAfterDelay(20ms, [&] { later = true; });
  spinUntil([&] { return later; });
  EXPECT_EQ(ticks, 3);
}

// Qt timers still registered on the loop: each one wakes it, for nothing once its own is done.
qsizetype qtTimers(QtRunLoop& runLoop) {
  return QAbstractEventDispatcher::instance()->registeredTimers(&runLoop).size();
}

// A screen's pump holds the screen, which holds the pump: invalidating it must let go at once.
TEST(QtRunLoop, AnInvalidatedTimerLetsGoOfWhatItsCallbackHoldsAndWakesNothing) {
  QtRunLoop runLoop;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> watch = held;
  const auto timer = runLoop.scheduleTimer(1ms, true, [held] { ++*held; });
  held.reset();
  spinUntil([&] { return *watch.lock() > 0; });
  timer->invalidate();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(qtTimers(runLoop), 0);
}

// Qt hands a stopped timer's id to the next timer: a fired timer must not reach the new one.
TEST(QtRunLoop, AFiredTimerNoLongerStandsForItsId) {
  QtRunLoop runLoop;
  int first = 0;
  int second = 0;
  const auto once = runLoop.scheduleTimer(1ms, false, [&] { ++first; });
  spinUntil([&] { return first == 1; });
  EXPECT_FALSE(once->isValid());
  const auto next = runLoop.scheduleTimer(5ms, false, [&] { ++second; });
  once->invalidate();
  EXPECT_TRUE(next->isValid());
  spinUntil([&] { return second == 1; });
  EXPECT_EQ(second, 1);
  EXPECT_EQ(first, 1);
  // Longer than Qt's int of milliseconds: still a timer, not one Qt refused.
  const auto far = runLoop.scheduleTimer(Millis{1LL << 31}, false, [] {});
  EXPECT_TRUE(far->isValid());
  EXPECT_EQ(qtTimers(runLoop), 1);
}

TEST(QtRunLoop, PerformsRunOnceInDueOrderAndTheClockMoves) {
  QtRunLoop runLoop;
  std::vector<int> order;
  // Read before the delays start: read after, a stall in between would shorten the wait seen.
  const Millis start = runLoop.now();
  runLoop.performAfterDelay(30ms, [&] { order.push_back(2); });
  runLoop.performAfterDelay(5ms, [&] { order.push_back(1); });
  runLoop.performAfterDelay(-5ms, [&] { order.push_back(0); });
  spinUntil([&] { return order.size() == 3; });
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(qtTimers(runLoop), 0);
  EXPECT_GE(runLoop.now() - start, 30ms);
}

// A lamp lit at each frame restarts its timer: the last restart says when it fires and what
// runs, once, on one Qt timer; a restart to an earlier time than the waiting one's holds too.
TEST(QtRunLoop, ARestartedTimerFiresOnceIntervalAfterTheLastRestart) {
  QtRunLoop runLoop;
  std::vector<int> fired;
  std::shared_ptr<Timer> field;
  runLoop.restartTimer(field, 30ms, [&] { fired.push_back(1); });
  spinFor(20ms);
  const Millis last = runLoop.now();
  runLoop.restartTimer(field, 30ms, [&] { fired.push_back(2); });
  EXPECT_EQ(qtTimers(runLoop), 1);
  spinUntil([&] { return !fired.empty(); });
  EXPECT_GE(runLoop.now() - last, 30ms);
  spinFor(20ms);
  EXPECT_EQ(fired, (std::vector<int>{2}));
  EXPECT_FALSE(field->isValid());
  EXPECT_EQ(qtTimers(runLoop), 0);

  runLoop.restartTimer(field, 500ms, [&] { fired.push_back(3); });
  runLoop.restartTimer(field, 5ms, [&] { fired.push_back(4); });
  runLoop.performAfterDelay(100ms, [&] { fired.push_back(5); });
  spinUntil([&] { return fired.size() == 3; });
  spinFor(500ms);
  EXPECT_EQ(fired, (std::vector<int>{2, 4, 5}));
}

}  // namespace
}  // namespace kiro
