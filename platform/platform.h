#pragma once

#include "platform/central.h"
#include "platform/log.h"
#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/user_defaults.h"

namespace kiro {

// The process-wide services the system reaches by name: its run loop, notification
// centre, user defaults, log and a maker of its Bluetooth central.
struct Platform {
  RunLoop& runLoop;
  NotificationCenter& notifications;
  UserDefaults& defaults;
  Log& log;
  CentralFactory makeCentral;
};

// The installed platform. Calling it with none installed is a programming error and aborts.
const Platform& platform();

// Installs a platform for its own lifetime, restoring the previous one after.
class PlatformScope {
 public:
  explicit PlatformScope(const Platform& installed);
  ~PlatformScope();
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  const Platform* previous_;
};

}  // namespace kiro
