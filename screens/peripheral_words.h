#pragma once

#include "base/text.h"
#include "platform/central.h"

namespace kiro {

// A receiver's state in the words statusName gives the model, as the window shows them.
inline Text statusWords(PeripheralState state) {
  switch (state) {
    case PeripheralState::connected: return Text("connected");
    case PeripheralState::connecting: return Text("connecting");
    case PeripheralState::disconnecting:
    case PeripheralState::disconnected: break;
  }
  return Text("disconnected");
}

// A listed receiver and its state, as a screen reader says the row.
inline Text rowWords(const std::string& name, PeripheralState state) {
  switch (state) {
    case PeripheralState::connected: return Text("%1, connected", name);
    case PeripheralState::connecting: return Text("%1, connecting", name);
    case PeripheralState::disconnecting:
    case PeripheralState::disconnected: break;
  }
  return Text("%1, disconnected", name);
}

}  // namespace kiro
