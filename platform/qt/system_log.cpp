#include "platform/qt/system_log.h"

#include <syslog.h>

#include <iostream>
#include <string>

namespace kiro {

SystemLog::SystemLog(bool verbose) : verbose_(verbose) { openlog("kiro-remote", LOG_PID, LOG_USER); }

SystemLog::~SystemLog() { closelog(); }

void SystemLog::line(std::string_view text) {
  const std::string line(text);
  syslog(LOG_INFO, "%s", line.c_str());
  if (verbose_) std::cerr << line << '\n';
}

}  // namespace kiro
