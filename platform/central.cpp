#include "platform/central.h"

namespace kiro {

const char* stateName(PeripheralState state) {
  switch (state) {
    case PeripheralState::connecting: return "connecting";
    case PeripheralState::connected: return "connected";
    case PeripheralState::disconnecting: return "disconnecting";
    case PeripheralState::disconnected: break;
  }
  return "disconnected";
}

const char* statusName(PeripheralState state) {
  return state == PeripheralState::disconnecting ? "disconnected" : stateName(state);
}

}  // namespace kiro
