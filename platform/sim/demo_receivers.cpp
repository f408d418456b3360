#include "platform/sim/demo_receivers.h"

namespace kiro {

void addDemoReceivers(SimulatedRadio& radio) {
  for (const char* name : {"Kiro-7", "KIRO 12", "bde spp dev 3"}) {
    SimulatedReceiver::Options options;
    options.advertisedName = name;
    options.demoFeedback = true;
    // A fresh identifier each, which no other receiver has.
    static_cast<void>(radio.addReceiver(std::move(options)));
  }
  radio.addReceiver(std::string("Headphones"));
}

}  // namespace kiro
