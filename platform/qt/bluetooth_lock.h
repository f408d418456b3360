#pragma once

#include <optional>
#include <string>

namespace kiro {

// Taken by a run that drives real Bluetooth, and held until it ends: two runs must never
// drive one receiver. Kept in the user's runtime folder. Returns why it cannot be had
// (another run holds it), or nullopt once it is held.
std::optional<std::string> lockBluetooth();

}  // namespace kiro
