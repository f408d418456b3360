#include "platform/qt/line_reader.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace kiro {

LineReader::LineReader(int fd, LineHandler line, EndHandler end)
    : fd_(fd), line_(std::move(line)), end_(std::move(end)), notifier_(fd, QSocketNotifier::Read) {
  QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readAvailable(); });
}

void LineReader::readAvailable() {
  std::array<char, 4096> buffer;
  const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
  if (count < 0) {
    if (errno == EINTR || errno == EAGAIN) return;
    finish(std::strerror(errno));
    return;
  }
  if (count == 0) {
    if (!pending_.empty()) line_(std::exchange(pending_, {}));
    finish({});
    return;
  }
  pending_.append(buffer.data(), static_cast<std::size_t>(count));
  // A handler may end the app; lines already read still go in order.
  for (std::size_t newline; (newline = pending_.find('\n')) != std::string::npos;) {
    std::string line = pending_.substr(0, newline);
    pending_.erase(0, newline + 1);
    line_(std::move(line));
  }
}

void LineReader::finish(const std::string& error) {
  notifier_.setEnabled(false);
  end_(error);
}

}  // namespace kiro
