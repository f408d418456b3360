#pragma once

#include "platform/log.h"
#include "platform/notification_center.h"
#include "platform/platform.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/user_defaults.h"

namespace kiro {

// A test's platform, installed for its lifetime: the virtual clock, a notification centre,
// in-memory defaults, a log that keeps its lines, and simulated receivers.
struct SimulatedWorld {
  VirtualRunLoop loop;
  NotificationCenter center;
  MemoryUserDefaults defaults;
  CapturingLog log;
  SimulatedRadio radio{loop};
  Platform installed{loop, center, defaults, log, radio.centralFactory()};
  PlatformScope scope{installed};
};

}  // namespace kiro
