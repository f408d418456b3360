#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/run_loop.h"
#include "ui/button.h"
#include "base/uuid.h"
#include "plan/location.h"
#include "plan/timed_shooting.h"

namespace kiro {

// The commands of a script, one a line.
namespace script {

// Let time pass.
struct Wait {
  Millis duration{0};
};
// A touch phase on F or R of the remote screen.
struct Touch {
  ControlEvent event = ControlEvent::touchDown;
  char button = 'F';  // 'F' or 'R'
};
// A navigation-bar button of the screen in front: "search", "help", "back" or "refresh".
struct Tap {
  std::string button;
};
// A row of the device list in front.
struct Select {
  std::int64_t row = 0;
};
struct Dismiss {};
struct State {};
struct Layout {};
struct Snapshot {
  std::string path;
};
// The window's size in pixels; the screens lay out for it, with a window or without.
struct WindowSize {
  int width = 0;
  int height = 0;
};
// A simulated receiver that starts advertising.
struct AddReceiver {
  std::string name;
  std::optional<Uuid> identifier;  // nullopt: the radio picks one
  bool silent = false;             // no demo feedback
  bool noName = false;             // advertises no local name
  bool writeWithoutResponse = false;
  bool noCommandService = false;  // a table without the command service
};
// Something a simulated receiver does.
struct ReceiverAction {
  enum class Kind { notify, drop, gone } kind = Kind::notify;
  Uuid identifier;
  Bytes bytes;  // with notify
};
struct Radio {
  bool on = true;
};
// Starts a timed sequence on the remote screen, or stops one (no plan), or has one that waits
// take its dark frames (continues).
struct Timer {
  std::optional<ShootingPlan> plan;
  bool continues = false;
};
// Starts a kept plan, or keeps the plan last started, renames or deletes one.
struct TimerPreset {
  enum class Action { use, save, rename, remove } action = Action::use;
  std::string name;
  std::string newName;  // with rename
};
// Keeps where the user is, for sun events, or forgets it (none).
struct SetLocation {
  std::optional<Location> where;
};
// Asks the system where the user is and keeps that.
struct FindLocation {};
struct Quit {};

}  // namespace script

using ScriptCommand = std::variant<script::Wait, script::Touch, script::Tap, script::Select, script::Dismiss,
                                   script::State, script::Layout, script::Snapshot, script::WindowSize,
                                   script::AddReceiver, script::ReceiverAction, script::Radio, script::Timer,
                                   script::TimerPreset, script::SetLocation, script::FindLocation, script::Quit>;

}  // namespace kiro
