#pragma once

#include <QSocketNotifier>

#include <functional>
#include <string>

namespace kiro {

// Reads lines from a file descriptor as they arrive, on the event loop, so a slow writer
// never holds up timers and Bluetooth events between two lines.
class LineReader {
 public:
  using LineHandler = std::function<void(std::string line)>;
  // error: the system's reason, or empty at a normal end of input.
  using EndHandler = std::function<void(const std::string& error)>;

  // fd: stays open and owned by the caller. Each whole line (without its newline) goes to
  // line; a last line without one too, just before end.
  LineReader(int fd, LineHandler line, EndHandler end);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

 private:
  void readAvailable();
  void finish(const std::string& error);

  int fd_;
  LineHandler line_;
  EndHandler end_;
  std::string pending_;
  QSocketNotifier notifier_;
};

}  // namespace kiro
