#include <map>
#include <utility>

#include "script/script_session.h"
#include "script/state_event.h"
#include "platform/platform.h"
#include "platform/ui/alert.h"
#include "screens/devices/view_controller.h"
#include "screens/timer/presets_view_controller.h"
#include "screens/timer/timer_presets.h"
#include "screens/timer/timer_view_controller.h"

namespace kiro {

namespace {

std::string lacks(const Screen& front, const std::string& what) {
  return "the " + front.name() + " screen in front has no " + what;
}

}  // namespace

ScriptSession::Outcome ScriptSession::perform(const script::Touch& command) {
  const auto& front = *navigation().topViewController();
  const std::string button = std::string(1, command.button) + " button";
  if (&front != delegate_.remote().get()) return lacks(front, button);
  const auto& remote = *delegate_.remote();
  (command.button == 'F' ? remote.writeButton() : remote.writeButton2())->sendActions(command.event);
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Timer& command) {
  const auto& front = *navigation().topViewController();
  if (&front != delegate_.remote().get()) return lacks(front, "timer");
  auto& remote = *delegate_.remote();
  if (!command.plan) {
    remote.stopTimedShooting();
    return {};
  }
  if (auto problem = remote.startTimedShooting(*command.plan)) return *problem;
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::TimerPreset& command) {
  using Action = script::TimerPreset::Action;
  const auto outcome = [](const std::optional<std::string>& problem) -> Outcome {
    if (problem) return *problem;
    return {};
  };
  auto& remote = *delegate_.remote();
  switch (command.action) {
    case Action::use: {
      const auto plan = presets::plan(platform().defaults, command.name);
      if (const auto* problem = std::get_if<std::string>(&plan)) return *problem;
      return perform(script::Timer{std::get<ShootingPlan>(plan)});
    }
    case Action::save:
      if (remote.timedShooting().state == ShootingStatus::State::idle) return std::string("no plan has been started to keep");
      return outcome(presets::save(platform().defaults, command.name, remote.lastTimedPlan()));
    case Action::rename: return outcome(presets::rename(platform().defaults, command.name, command.newName));
    case Action::remove: return outcome(presets::remove(platform().defaults, command.name));
  }
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Tap& command) {
  // Which side of the bar each screen keeps its buttons on.
  static const std::map<std::pair<std::string, std::string>, bool> kLeft{
      {{"remote", "search"}, false}, {{"remote", "help"}, true}, {{"devices", "back"}, true},
      {{"devices", "refresh"}, false}, {{"about", "back"}, true},  {{"timer", "back"}, true}, {{"presets", "back"}, true},
  };
  auto& front = *navigation().topViewController();
  if (command.button == "timer" && &front == delegate_.remote().get()) {
    delegate_.remote()->timerButton()->sendActions(ControlEvent::touchUpInside);
    return {};
  }
  if (const auto* timer = dynamic_cast<TimerViewController*>(&front); timer && command.button == "presets") {
    timer->presetsButton()->sendActions(ControlEvent::touchUpInside);
    return {};
  }
  const auto side = kLeft.find({front.name(), command.button});
  if (side == kLeft.end()) return lacks(front, command.button + " button");
  auto& bar = front.navigationItem();
  const auto& item = side->second ? bar.leftBarButtonItem() : bar.rightBarButtonItem();
  auto button = item ? std::dynamic_pointer_cast<Button>(item->customView) : nullptr;
  if (!button) return lacks(front, command.button + " button");
  button->sendActions(ControlEvent::touchUpInside);
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Select& command) {
  const auto& front = navigation().topViewController();
  const auto devices = std::dynamic_pointer_cast<ViewController>(front);
  const auto presets = std::dynamic_pointer_cast<PresetsViewController>(front);
  if (!devices && !presets) return lacks(*front, "device list");
  const auto& table = devices ? devices->tabel() : presets->table();
  const auto rows = table->numberOfRows();
  if (command.row >= rows)
    return "the " + std::string(devices ? "device" : "preset") + " list has no row " + std::to_string(command.row) +
           " (it has " + std::to_string(rows) + ")";
  table->selectRow(command.row);
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Dismiss&) {
  if (!alertQueue().visible()) return std::string("no alert is shown");
  alertQueue().dismiss();
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::State&) {
  events_.send("state", stateFields(delegate_));
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Layout&) {
  events_.send("layout", layoutFields(navigation()));
  return {};
}

ScriptSession::Outcome ScriptSession::perform(const script::Snapshot& command) {
  if (!snapshot_) return std::string("snapshot needs the window");
  if (auto error = snapshot_(command.path)) return "snapshot " + command.path + ": " + *error;
  return {};
}

}  // namespace kiro
