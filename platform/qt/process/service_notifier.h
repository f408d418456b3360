#pragma once

#include <QTimer>

#include "platform/notices.h"

namespace kiro {

// Tells systemd, when it runs the app as a notify service, that the run is up, and feeds its
// watchdog from a timer on the main loop at half its interval: a loop that stops turning
// stops the pings, and systemd restarts the service. Without NOTIFY_SOCKET it does nothing.
class ServiceNotifier {
 public:
  // notices: told once when systemd cannot be told; it must outlive this.
  explicit ServiceNotifier(Notices& notices);

  // The run is up; said once.
  void ready();

 private:
  void notify(const char* state);

  Notices& notices_;
  bool asked_;  // systemd asked to be told
  bool ready_ = false;
  bool failed_ = false;
  QTimer watchdog_;
};

}  // namespace kiro
