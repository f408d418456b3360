#include "platform/qt/process/service_notifier.h"

#include <systemd/sd-daemon.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace kiro {

ServiceNotifier::ServiceNotifier(Notices& notices) : notices_(notices), asked_(std::getenv("NOTIFY_SOCKET") != nullptr) {
  std::uint64_t interval = 0;  // microseconds
  if (!asked_ || sd_watchdog_enabled(0, &interval) <= 0) return;
  // Qt's timers take an int of milliseconds.
  const auto half = std::clamp<std::uint64_t>(interval / 2000, 1, INT_MAX);
  watchdog_.setInterval(std::chrono::milliseconds(half));
  QObject::connect(&watchdog_, &QTimer::timeout, &watchdog_, [this] { notify("WATCHDOG=1"); });
  watchdog_.start();
}

void ServiceNotifier::ready() {
  if (asked_ && !std::exchange(ready_, true)) notify("READY=1");
}

void ServiceNotifier::notify(const char* state) {
  const int sent = sd_notify(0, state);
  if (sent >= 0 || std::exchange(failed_, true)) return;
  notices_.say(std::string("systemd cannot be told ") + state + ": " + std::strerror(-sent));
}

}  // namespace kiro
