#pragma once

#include <QJsonObject>

#include <map>
#include <string>

#include "app/remote_control.h"

namespace kiro {

// What the page shows, as the message that tells it: the remote screen's state, the series'
// progress (its next shot in milliseconds from now) and the presets it may start.
QJsonObject stateMessage(const RemoteState& state, Millis now, const std::map<std::string, std::string>& presets);

}  // namespace kiro
