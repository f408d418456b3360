#include "platform/qt/process/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <vector>

namespace kiro {

namespace {

// Every signal sent from outside whose default ends the process: each must let the shutter
// go first. The faults (SIGSEGV, SIGBUS, ...) keep their default; SIGPIPE is ignored by main.
const std::vector<int>& quitSignals() {
  static const std::vector<int> signals = [] {
    std::vector<int> all{SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2, SIGALRM,   SIGVTALRM,
                         SIGPROF, SIGIO,   SIGXCPU, SIGXFSZ, SIGPWR,  SIGSTKFLT};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) all.push_back(signal);
    return all;
  }();
  return signals;
}

volatile std::sig_atomic_t writeEnd = -1;

void setHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : quitSignals()) sigaction(signal, &action, nullptr);
}

// Only async-signal-safe calls here.
void onQuitSignal(int signal) {
  setHandler(SIG_DFL);
  const int saved = errno;
  const auto number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int signal)> received) : received_(std::move(received)) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    unsigned char number = 0;
    if (::read(pipe_[0], &number, 1) != 1) return;
    notifier_->setEnabled(false);
    received_(number);
  });
  setHandler(onQuitSignal);
}

QuitSignals::~QuitSignals() {
  setHandler(SIG_DFL);
  writeEnd = -1;
  notifier_.reset();
  for (int fd : pipe_)
    if (fd >= 0) ::close(fd);
}

}  // namespace kiro
