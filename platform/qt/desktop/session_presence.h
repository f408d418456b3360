#pragma once

#include <memory>
#include <string>

#include "platform/qt/desktop/control_object.h"
#include "base/result.h"
#include "platform/notices.h"

namespace kiro {

inline constexpr const char* kBusName = "io.github.kiro_remote.KiroRemote";

// For a launch with a window, before it opens one, so that of two launches at once only one
// goes on: takes the app's name on the session bus or, when another instance owns it, asks
// that one to raise its window. True when it did; one without a window cannot, and this
// launch then goes on, saying so.
bool activateRunningInstance(Notices& notices);

// Asks the app on the session bus, started by D-Bus if need be, to run one of its desktop
// actions; or says why it could not.
Result<> runDesktopAction(const std::string& action);

// Exports control on the session bus and owns the app's name if this run does not yet, so
// that other programs reach this run; null, said to the user, when there is no session bus or
// another instance owns it. Called before the event loop runs, so that calls to a name owned
// earlier wait for it.
std::unique_ptr<ControlObject> exportControl(RemoteControl& control, Notices& notices, ControlObject::Hooks hooks);

}  // namespace kiro
