#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace kiro {

// Turns each signal from outside that would end the process (SIGTERM, SIGINT, SIGHUP,
// SIGQUIT, SIGUSR1, SIGALRM, the real-time ones, ...) into a call on the event loop, so that
// the app can end as quitting does. A second one ends the process at once, as the signal
// does by default. One at a time in a process.
class QuitSignals {
 public:
  // received: told the signal's number, on the event loop, once.
  explicit QuitSignals(std::function<void(int signal)> received);
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  int pipe_[2] = {-1, -1};
  std::function<void(int)> received_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kiro
