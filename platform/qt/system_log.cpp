#include "platform/qt/system_log.h"

#include <syslog.h>

#include <iostream>
#include <string>

namespace kiro {

SystemLog::SystemLog(bool verbose) : verbose_(verbose) {
  if (verbose_) openlog("kiro-remote", LOG_PID, LOG_USER);
}

SystemLog::~SystemLog() {
  if (verbose_) closelog();
}

void SystemLog::line(std::string_view text) {
  // Every frame logs lines: a quiet app must not fill the journal with them.
  if (!verbose_) return;
  const std::string line(text);
  syslog(LOG_DEBUG, "%s", line.c_str());
  std::cerr << line << '\n';
}

}  // namespace kiro
