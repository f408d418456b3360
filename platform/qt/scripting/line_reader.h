#pragma once

#include <QSocketNotifier>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kiro {

// Reads lines from a file descriptor as they arrive, on the event loop, so a slow writer
// never holds up timers and Bluetooth events between two lines. Each byte is looked at
// once, so reading takes time in proportion to the input, however long its lines.
class LineReader {
 public:
  // line: a whole line without its newline, or nullopt for one longer than the limit, as
  // soon as it passes it; the rest of that line is skipped.
  using LineHandler = std::function<void(std::optional<std::string> line)>;
  // error: the system's reason, or empty at a normal end of input.
  using EndHandler = std::function<void(const std::string& error)>;

  // fd: stays open and owned by the caller. Each line goes to line; a last line without a
  // newline too, just before end. maxLine: the longest line kept, in bytes.
  LineReader(int fd, std::size_t maxLine, LineHandler line, EndHandler end);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

 private:
  void readAvailable();
  void keep(std::string_view part);
  void lineEnded();
  void finish(const std::string& error);

  int fd_;
  std::size_t maxLine_;
  LineHandler line_;
  EndHandler end_;
  std::string pending_;  // the line read so far
  bool skipping_ = false;  // the rest of a line past the limit
  QSocketNotifier notifier_;
};

}  // namespace kiro
