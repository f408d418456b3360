#pragma once

#include "platform/central.h"
#include "platform/installed.h"
#include "platform/log.h"
#include "platform/notices.h"
#include "platform/run_loop.h"
#include "platform/user_defaults.h"

namespace kiro {

// The process-wide services the system reaches by name: its run loop, user defaults, log,
// what it tells the user, and a maker of its Bluetooth central.
struct Platform {
  RunLoop& runLoop;
  UserDefaults& defaults;
  Log& log;
  Notices& notices;
  CentralFactory makeCentral;
};

// Installs a platform for its own lifetime, restoring the previous one after.
using PlatformScope = Installed<const Platform>;

// The installed platform.
inline const Platform& platform() { return PlatformScope::current("platform"); }

}  // namespace kiro
