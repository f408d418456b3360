#pragma once

#include "platform/platform.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/user_defaults.h"

namespace kiro::test {

// Installs a platform whose log lines and notices the test reads.
struct LoggedPlatform {
  VirtualRunLoop runLoop;
  MemoryUserDefaults defaults;
  CapturingLog log;
  RecordingNotices notices;
  Platform platform{runLoop, defaults, log, notices, nullptr};
  PlatformScope scope{platform};
};

}  // namespace kiro::test
