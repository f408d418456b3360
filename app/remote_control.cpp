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

namespace {

ControlRefusal busy(const std::string& why) { return {ControlRefusal::Kind::busy, why}; }
ControlRefusal notConnected() { return {ControlRefusal::Kind::notConnected, "no receiver is connected"}; }

}  // namespace

bool RemoteControl::holds(const std::string& caller) const {
  return hold_ && hold_->caller == caller && remote().shutterOwner() == cameraViewController::ShutterOwner::remote;
}

ControlResult RemoteControl::refusedWhileBusy(const std::string& caller) const {
  using Owner = cameraViewController::ShutterOwner;
  if (remote().timedShootingActive()) return busy("a timed sequence is running; stop it first");
  switch (remote().shutterOwner()) {
    case Owner::none: return {};
    case Owner::hand: return busy("a hand holds the shutter");
    case Owner::series: return busy("a timed sequence holds the shutter");
    case Owner::remote: return holds(caller) ? ControlResult() : busy("another caller holds the shutter");
  }
  return {};
}

void RemoteControl::press(const std::string& caller, bool endsWithCaller, Millis limit) {
  if (!holds(caller)) hold_ = Hold{remote().pressShutter(cameraViewController::ShutterOwner::remote), caller, endsWithCaller};
  runLoop_.restartTimer(limit_, limit, lifetime_.guard([this] { letGo(); }));
}

void RemoteControl::letGo() {
  if (limit_) limit_->invalidate();
  if (const auto hold = std::exchange(hold_, std::nullopt)) remote().releaseShutter(hold->press);
}

ControlResult RemoteControl::shoot(Millis hold, const std::string& caller) {
  if (auto checked = checkBulb(hold > Millis{0} ? hold : kShortPress); !checked.ok())
    return ControlRefusal{ControlRefusal::Kind::invalidPlan, checked.error().message};
  if (!remote().receiverConnected()) return notConnected();
  if (auto refusal = refusedWhileBusy(caller); !refusal.ok()) return refusal;
  if (remote().shutterHeld()) return busy("this caller holds the shutter; let it go first");
  press(caller, false, hold > Millis{0} ? hold : kShortPress);
  return {};
}

ControlResult RemoteControl::pressShutter(const std::string& caller) {
  if (!remote().receiverConnected()) return notConnected();
  if (auto refusal = refusedWhileBusy(caller); !refusal.ok()) return refusal;
  if (holds(caller) && !hold_->endsWithCaller) return busy("this caller's shot holds the shutter");
  press(caller, true, kHoldLimit);
  return {};
}

ControlResult RemoteControl::releaseShutter(const std::string& caller) {
  if (!remote().shutterHeld()) return {};
  if (auto refusal = refusedWhileBusy(caller); !refusal.ok()) return refusal;
  letGo();
  return {};
}

ControlResult RemoteControl::setFocus(bool on) {
  if (on == remote().writeButton()->isSelected()) return {};
  if (on && !remote().receiverConnected()) return notConnected();
  // F would change a held shot, or stop a sequence.
  if (auto refusal = refusedWhileBusy({}); !refusal.ok()) return refusal;
  remote().writeButton()->sendActions(ControlEvent::touchDown);
  return {};
}

ControlResult RemoteControl::startTimer(const ShootingPlan& plan) {
  if (auto refusal = refusedWhileBusy({}); !refusal.ok()) return refusal;
  if (auto started = remote().startTimedShooting(plan); !started.ok())
    return ControlRefusal{ControlRefusal::Kind::invalidPlan, started.error().message};
  return {};
}

void RemoteControl::stopTimer() { remote().stopTimedShooting(); }

ControlResult RemoteControl::continueTimer() {
  if (remote().continueTimedShooting()) return {};
  return ControlRefusal{ControlRefusal::Kind::invalidPlan, "no series is waiting for its dark frames"};
}

ControlResult RemoteControl::selfTimer() {
  TimerValues last;
  last.setMode(ShootingPlan::Mode::self);
  // The delay, even when the last plan started at a time of day.
  last.setStartsAtTime(false);
  return startTimer(last.plan());
}

void RemoteControl::callerLeft(const std::string& caller) {
  if (hold_ && hold_->endsWithCaller && hold_->caller == caller) letGo();
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
