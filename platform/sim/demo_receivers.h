#pragma once

#include "platform/sim/simulated_radio.h"

namespace kiro {

// The receivers a person meets in the demo: three KIROs that answer commands and one
// device the app does not list.
void addDemoReceivers(SimulatedRadio& radio);

}  // namespace kiro
