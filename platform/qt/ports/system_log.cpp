#include "platform/qt/ports/system_log.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "base/terminal_text.h"

namespace kiro {

namespace {

bool connects(int type) {
  const int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, "/dev/log", sizeof address.sun_path - 1);
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

// Whether a system logger takes messages, on either kind of socket syslog() tries. Without
// one, syslog() tries to connect again at every line, which costs more than the line itself.
bool systemLoggerListens() { return connects(SOCK_DGRAM) || connects(SOCK_STREAM); }

}  // namespace

SystemLog::SystemLog(bool verbose) : verbose_(verbose), syslogRuns_(verbose && systemLoggerListens()) {
  if (syslogRuns_) openlog("kiro-remote", LOG_PID | LOG_NDELAY, LOG_USER);
}

SystemLog::~SystemLog() {
  if (syslogRuns_) closelog();
}

void SystemLog::line(std::string_view text) {
  if (!verbose_) return;
  // Lines quote receivers' names and values: text from outside.
  std::string line = terminalSafe(text);
  if (syslogRuns_) syslog(LOG_DEBUG, "%s", line.c_str());
  // One write a line: stderr is unbuffered.
  line += '\n';
  std::cerr << line;
}

}  // namespace kiro
