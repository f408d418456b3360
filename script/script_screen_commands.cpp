#include <map>
#include <utility>

#include "script/script_session.h"
#include "script/state_event.h"
#include "platform/platform.h"
#include "ui/alert.h"
#include "ui/main_screen.h"
#include "ui/window_size.h"
#include "plan/timer_presets.h"
#include "screens/devices/view_controller.h"
#include "screens/timer/presets_view_controller.h"
#include "screens/timer/timer_view_controller.h"
#include "screens/web/web_view_controller.h"

namespace kiro {

namespace {

Error lacks(const Screen& front, const std::string& what) {
  return {"the " + front.name() + " screen in front has no " + what};
}

}  // namespace

ScriptSession::Outcome ScriptSession::perform(const script::Touch& command) {
  const auto& front = *navigation().topViewController();
  const std::string button = std::string(1, command.button) + " button";
  if (&front != delegate_.remote().get()) return lacks(front, button);
  const auto& remote = *delegate_.remote();
  (command.button == 'F' ? remote.writeButton() : remote.writeButton2())->sendActions(command.event);
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Timer& command) {
  const auto& front = *navigation().topViewController();
  if (&front != delegate_.remote().get()) return lacks(front, "timer");
  auto& remote = *delegate_.remote();
  if (command.continues) {
    if (!remote.continueTimedShooting()) return Error{"no series is waiting for its dark frames"};
    return std::nullopt;
  }
  if (!command.plan) {
    remote.stopTimedShooting();
    return std::nullopt;
  }
  if (auto started = remote.startTimedShooting(*command.plan); !started.ok()) return started.error();
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::TimerPreset& command) {
  using Action = script::TimerPreset::Action;
  const auto outcome = [](const Result<>& done) -> Outcome {
    if (!done.ok()) return done.error();
    return std::nullopt;
  };
  auto& remote = *delegate_.remote();
  switch (command.action) {
    case Action::use: {
      const auto plan = presets::plan(platform().defaults, command.name);
      if (!plan.ok()) return plan.error();
      return perform(script::Timer{plan.value()});
    }
    case Action::save:
      if (remote.timedShooting().state == ShootingStatus::State::idle) return Error{"no plan has been started to keep"};
      return outcome(presets::save(platform().defaults, command.name, remote.lastTimedPlan()));
    case Action::rename: return outcome(presets::rename(platform().defaults, command.name, command.newName));
    case Action::remove: return outcome(presets::remove(platform().defaults, command.name));
  }
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Tap& command) {
  // Which side of the bar each screen keeps its buttons on.
  static const std::map<std::pair<std::string, std::string>, bool> kLeft{
      {{"remote", "search"}, false}, {{"remote", "help"}, true}, {{"devices", "back"}, true},
      {{"devices", "refresh"}, false}, {{"about", "back"}, true},  {{"timer", "back"}, true}, {{"presets", "back"}, true},
      {{"night", "back"}, true},   {{"about", "web"}, false},   {{"web", "back"}, true},
  };
  auto& front = *navigation().topViewController();
  if (command.button == "timer" && &front == delegate_.remote().get()) {
    delegate_.remote()->timerButton()->sendActions(ControlEvent::touchUpInside);
    return std::nullopt;
  }
  if (const auto* timer = dynamic_cast<TimerViewController*>(&front); timer && (command.button == "presets" || command.button == "night")) {
    (command.button == "presets" ? timer->presetsButton() : timer->nightButton())->sendActions(ControlEvent::touchUpInside);
    return std::nullopt;
  }
  if (const auto* web = dynamic_cast<WebViewController*>(&front);
      web && (command.button == "serve" || command.button == "renew" || command.button == "cancel")) {
    const auto& button = command.button == "serve" ? web->switchButton()
                         : command.button == "renew" ? web->renewButton() : web->cancelButton();
    if (button->isHidden()) return lacks(front, command.button + " button");
    button->sendActions(ControlEvent::touchUpInside);
    return std::nullopt;
  }
  const auto side = kLeft.find({front.name(), command.button});
  if (side == kLeft.end()) return lacks(front, command.button + " button");
  auto& bar = front.navigationItem();
  const auto& item = side->second ? bar.leftBarButtonItem() : bar.rightBarButtonItem();
  auto button = item ? std::dynamic_pointer_cast<Button>(item->customView) : nullptr;
  if (!button) return lacks(front, command.button + " button");
  button->sendActions(ControlEvent::touchUpInside);
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Select& command) {
  const auto& front = navigation().topViewController();
  const auto devices = std::dynamic_pointer_cast<ViewController>(front);
  const auto presets = std::dynamic_pointer_cast<PresetsViewController>(front);
  if (!devices && !presets) return lacks(*front, "device list");
  const auto& table = devices ? devices->tabel() : presets->table();
  const auto rows = table->numberOfRows();
  if (command.row >= rows)
    return Error{"the " + std::string(devices ? "device" : "preset") + " list has no row " +
                 std::to_string(command.row) + " (it has " + std::to_string(rows) + ")"};
  table->selectRow(command.row);
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Dismiss&) {
  if (!alertQueue().visible()) return Error{"no alert is shown"};
  alertQueue().dismiss();
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::State&) {
  events_.send("state", stateFields(delegate_));
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Layout&) {
  events_.send("layout", layoutFields(navigation()));
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Snapshot& command) {
  if (!snapshot_) return Error{"snapshot needs the window"};
  if (auto saved = snapshot_(command.path); !saved.ok())
    return Error{"snapshot " + command.path + ": " + saved.error().message};
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::WindowSize& command) {
  // The window lays the screens out as it takes the size.
  if (window_) {
    window_(command.width, command.height);
    return std::nullopt;
  }
  const Size pixels{static_cast<double>(command.width), static_cast<double>(command.height)};
  navigation().setViewSize(layoutSize(pixels, mainScreen().bounds));
  return std::nullopt;
}

}  // namespace kiro
