#pragma once

#include "base/result.h"

namespace kiro {

// Taken by a run that drives real Bluetooth, and held until it ends: two runs of a user must
// never drive one receiver, whatever their environment says (a desktop's runtime folder, an
// ssh or cron run without one). Done once it is held, or why it cannot be had (another run
// holds it).
Result<> lockBluetooth();

}  // namespace kiro
