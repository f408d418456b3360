#pragma once

#include <memory>

#include "platform/qt/control_object.h"

namespace kiro {

inline constexpr const char* kBusName = "io.github.kiro_remote.KiroRemote";

// Whether another instance owns the app's name on the session bus and raised its window
// when asked to.
bool activateRunningInstance();

// Exports control on the session bus and owns the app's name, so that other programs reach
// this run; null, said on stderr, when there is no session bus or another instance owns it.
std::unique_ptr<ControlObject> exportControl(RemoteControl& control, ControlObject::Hooks hooks);

}  // namespace kiro
