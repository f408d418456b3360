#pragma once

#include <QSocketNotifier>

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace kiro {

// An output stream to a file descriptor that a reader that stalls never holds up the event
// loop with. A flush goes out at once while the reader keeps up (on a pipe or a terminal);
// what it cannot take waits in memory, in order, up to a limit, for a thread of its own to
// write. Whole flushes are handed over: flush after each line.
class BackgroundOutput final : private std::streambuf {
 public:
  static constexpr std::size_t kLimit = std::size_t{64} << 20;

  // fd: stays open and owned by the caller. failed: told once, on the event loop, why the
  // output takes no more (its reader closed it, or more than kLimit bytes wait).
  BackgroundOutput(int fd, std::function<void(const std::string& why)> failed);
  // Waits while the writer still makes progress, so a live reader gets every byte.
  ~BackgroundOutput() override;
  BackgroundOutput(const BackgroundOutput&) = delete;
  BackgroundOutput& operator=(const BackgroundOutput&) = delete;

  std::ostream& stream() { return stream_; }

 private:
  struct Shared;

  int_type overflow(int_type byte) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

  std::string line_;  // written since the last flush
  std::shared_ptr<Shared> shared_;  // with the writer thread, which may outlive this
  std::function<void(const std::string&)> failed_;
  std::unique_ptr<QSocketNotifier> failure_;
  std::ostream stream_;
};

}  // namespace kiro
