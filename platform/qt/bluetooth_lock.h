#pragma once

#include "base/result.h"

namespace kiro {

// Taken by a run that drives real Bluetooth, and held until it ends: two runs must never
// drive one receiver. Kept in the user's runtime folder. Done once it is held, or why it
// cannot be had (another run holds it).
Result<> lockBluetooth();

}  // namespace kiro
