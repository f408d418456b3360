#include "app/remote_control.h"

#include "platform/platform.h"
#include "ui/button.h"
#include "screens/timer/timer_values.h"

namespace kiro {

bool shotUnderWay(const cameraViewController& remote) {
  const auto& frame = remote.byteArray();
  return frame[CommandFrame::releaseNotice] || remote.shutterHeld() || frame[CommandFrame::focus] ||
         remote.timedShootingActive();
}

RemoteControl::RemoteControl(AppDelegate& delegate, RunLoop& runLoop) : delegate_(delegate), runLoop_(runLoop) {}

ControlResult RemoteControl::refusedWhileBusy() const {
  if (!remote().receiverConnected())
    return ControlRefusal{ControlRefusal::Kind::notConnected, "no receiver is connected"};
  if (remote().timedShootingActive())
    return ControlRefusal{ControlRefusal::Kind::busy, "a timed sequence is running; stop it first"};
  return {};
}

void RemoteControl::press() {
  if (!remote().shutterHeld()) remote().writeButton2()->sendActions(ControlEvent::touchDown);
}

void RemoteControl::letGoAfter(Millis hold) {
  runLoop_.performAfterDelay(hold, lifetime_.guard([this, press = ++press_] {
    if (press == press_) releaseShutter();
  }));
}

ControlResult RemoteControl::shoot(Millis hold) {
  if (auto refusal = refusedWhileBusy(); !refusal.ok()) return refusal;
  press();
  holder_.reset();
  letGoAfter(hold > Millis{0} ? hold : kShortPress);
  return {};
}

ControlResult RemoteControl::pressShutter(const std::string& caller) {
  if (auto refusal = refusedWhileBusy(); !refusal.ok()) return refusal;
  press();
  holder_ = caller;
  letGoAfter(kHoldLimit);
  return {};
}

void RemoteControl::releaseShutter() {
  ++press_;
  holder_.reset();
  // A hand lets go only what it holds.
  if (remote().shutterHeld()) remote().writeButton2()->sendActions(ControlEvent::touchUpInside);
}

ControlResult RemoteControl::setFocus(bool on) {
  if (on == remote().writeButton()->isSelected()) return {};
  if (on && !remote().receiverConnected())
    return ControlRefusal{ControlRefusal::Kind::notConnected, "no receiver is connected"};
  remote().writeButton()->sendActions(ControlEvent::touchDown);
  return {};
}

ControlResult RemoteControl::startTimer(const ShootingPlan& plan) {
  if (auto started = remote().startTimedShooting(plan); !started.ok())
    return ControlRefusal{ControlRefusal::Kind::invalidPlan, started.error().message};
  return {};
}

void RemoteControl::stopTimer() { remote().stopTimedShooting(); }

ControlResult RemoteControl::selfTimer() {
  TimerValues last;
  last.setMode(ShootingPlan::Mode::self);
  return startTimer(last.plan());
}

void RemoteControl::callerLeft(const std::string& caller) {
  if (holder_ == caller) releaseShutter();
}

RemoteState RemoteControl::state() const {
  const auto& screen = remote();
  const std::string& label = screen.testLabel()->text();
  const auto remembered = platform().defaults.dictionary("iphone");
  const auto name = remembered ? remembered->find("name") : StringDictionary::const_iterator{};
  return {label == "connected" ? 2 : label == "connecting" ? 1 : 0,
          remembered && name != remembered->end() ? name->second : std::string(),
          screen.writeButton()->isSelected(),
          screen.shutterHeld(),
          {{"green", lampIsLit(*screen.imageLamp01())},
           {"red", lampIsLit(*screen.imageLamp03())},
           {"blue", lampIsLit(*screen.imageLamp02())}},
          screen.timedShooting()};
}

}  // namespace kiro
