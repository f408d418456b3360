#include "screens/timer/timer_view_controller.h"

#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using Mode = ShootingPlan::Mode;

// The timer button opens the screen; Start brings the remote screen back counting down
// and keeps the values for next time; a plan that cannot run says why and stays; leaving
// the remote screen stops the sequence.
TEST_F(AppShellFixture, TheTimerScreenStartsWhatItShowsAndRemembersIt) {
  launch();
  const auto remote = delegate->remote();
  const auto open = [&] {
    remote->timerButton()->sendActions(ControlEvent::touchUpInside);
    return std::dynamic_pointer_cast<TimerViewController>(navigation().topViewController());
  };
  auto timer = open();
  ASSERT_TRUE(timer);
  timer->setMode(Mode::interval);
  timer->step(TimerViewController::interval, -4);  // 1 s: no room for a shot and its notice
  timer->startShooting();
  ASSERT_NE(alerts.visible(), nullptr);
  EXPECT_EQ(alerts.visible()->title, "Cannot start");
  alerts.dismiss();
  timer->step(TimerViewController::interval, 2);
  timer->startShooting();
  EXPECT_EQ(stack(), std::vector<std::string>{"remote"});
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::planned);
  EXPECT_EQ(remote->timerLine()->text(), "Shot 0 of 10, next in 10.0 s");

  remote->timerButton()->sendActions(ControlEvent::touchUpInside);  // now a stop button
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::stopped);
  EXPECT_EQ(remote->timerLine()->text(), "Stopped after 0 shots");
  timer = open();
  EXPECT_EQ(timer->mode(), Mode::interval);
  EXPECT_EQ(timer->value(TimerViewController::interval), 3);
  timer->startShooting();
  tapBar(false);  // leaving the remote screen for the device list ends the sequence
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::stopped);
}

}  // namespace
}  // namespace kiro::app_test
