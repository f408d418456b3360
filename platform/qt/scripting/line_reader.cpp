#include "platform/qt/scripting/line_reader.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace kiro {

LineReader::LineReader(int fd, std::size_t maxLine, LineHandler line, EndHandler end)
    : fd_(fd),
      maxLine_(maxLine),
      line_(std::move(line)),
      end_(std::move(end)),
      notifier_(fd, QSocketNotifier::Read) {
  QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readAvailable(); });
}

void LineReader::readAvailable() {
  std::array<char, 65536> buffer;
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
  // Only the new bytes are searched. A handler may end the app; lines already read still
  // go in order.
  std::string_view bytes(buffer.data(), static_cast<std::size_t>(count));
  for (std::size_t newline; (newline = bytes.find('\n')) != std::string_view::npos;
       bytes.remove_prefix(newline + 1)) {
    keep(bytes.substr(0, newline));
    lineEnded();
  }
  keep(bytes);
}

void LineReader::keep(std::string_view part) {
  if (skipping_) return;
  // Said as soon as the line passes the limit, so that an endless one is refused too; the
  // rest of it is read but not stored.
  if (pending_.size() + part.size() > maxLine_) {
    skipping_ = true;
    pending_ = {};
    line_(std::nullopt);
    return;
  }
  pending_.append(part);
}

void LineReader::lineEnded() {
  if (!std::exchange(skipping_, false)) line_(std::exchange(pending_, {}));
}

void LineReader::finish(const std::string& error) {
  notifier_.setEnabled(false);
  end_(error);
}

}  // namespace kiro
