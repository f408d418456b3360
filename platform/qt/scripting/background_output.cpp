#include "platform/qt/scripting/background_output.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace kiro {

namespace {

// At the end, how long the writer may go without progress before its bytes are given up.
constexpr std::chrono::milliseconds kDrainPatience{500};
// The most the writer keeps of a written batch's buffer for the next one.
constexpr std::size_t kKeptCapacity = std::size_t{64} << 10;

// A description of fd's pipe or terminal of its own, whose writes never block, or -1. The
// flag is not set on fd itself: its description is shared with whoever started the app.
int openNonBlocking(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !(S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))) return -1;
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

}  // namespace

struct BackgroundOutput::Shared {
  explicit Shared(int output)
      : fd(output), direct(openNonBlocking(output)), failureEvent(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~Shared() {
    if (direct >= 0) ::close(direct);
    if (failureEvent >= 0) ::close(failureEvent);
  }

  // The writer's loop: hands what waits to fd, a batch at a time.
  void write() {
    // Swapped back and forth with waiting, so a line a frame needs no new buffer.
    std::string batch;
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return !waiting.empty() || closing; });
      if (waiting.empty()) return;
      batch.swap(waiting);
      lock.unlock();
      const int error = writeAll(batch);
      lock.lock();
      waitingBytes -= batch.size();
      batch.clear();
      // What a stalled reader piled up is not kept once written.
      if (batch.capacity() > kKeptCapacity) batch.shrink_to_fit();
      ++progress;
      changed.notify_all();
      if (error != 0) return fail(std::string("standard output: ") + std::strerror(error));
    }
  }

  // 0, or the error that ended the writing.
  int writeAll(const std::string& batch) const {
    for (std::size_t done = 0; done < batch.size();) {
      const ssize_t count = ::write(fd, batch.data() + done, batch.size() - done);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return errno;
      done += static_cast<std::size_t>(count);
    }
    return 0;
  }

  // With the lock held and nothing waiting: what the direct description takes now, without
  // blocking. An error other than a full pipe ends the output.
  std::size_t writeSome(const std::string& line) {
    std::size_t done = 0;
    while (done < line.size()) {
      const ssize_t count = ::write(direct, line.data() + done, line.size() - done);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0 && errno != EAGAIN) fail(std::string("standard output: ") + std::strerror(errno));
      if (count < 0) break;
      done += static_cast<std::size_t>(count);
    }
    return done;
  }

  // With the lock held.
  void fail(std::string reason) {
    if (!why.empty()) return;
    why = std::move(reason);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(failureEvent, &one, sizeof one);
  }

  const int fd;
  const int direct;  // for the caller's thread while nothing waits, or -1
  const int failureEvent;
  std::mutex mutex;
  std::condition_variable changed;
  std::string waiting;
  std::size_t waitingBytes = 0;  // waiting, and being written
  std::uint64_t progress = 0;
  bool closing = false;
  std::string why;  // set once the output takes no more
};

BackgroundOutput::BackgroundOutput(int fd, std::function<void(const std::string& why)> failed)
    : shared_(std::make_shared<Shared>(fd)), failed_(std::move(failed)), stream_(this) {
  failure_ = std::make_unique<QSocketNotifier>(shared_->failureEvent, QSocketNotifier::Read);
  QObject::connect(failure_.get(), &QSocketNotifier::activated, [this] {
    failure_->setEnabled(false);
    std::string why;
    {
      const std::lock_guard lock(shared_->mutex);
      why = shared_->why;
    }
    failed_(why);
  });
  // Detached, so that a reader stalled for good cannot hold up the end of the app.
  std::thread([shared = shared_] { shared->write(); }).detach();
}

BackgroundOutput::~BackgroundOutput() {
  sync();
  std::unique_lock lock(shared_->mutex);
  shared_->closing = true;
  shared_->changed.notify_all();
  for (std::uint64_t seen = ~std::uint64_t{0}; shared_->waitingBytes > 0 && shared_->why.empty();) {
    if (seen == shared_->progress) break;
    seen = shared_->progress;
    shared_->changed.wait_for(lock, kDrainPatience, [&] { return shared_->progress != seen; });
  }
}

BackgroundOutput::int_type BackgroundOutput::overflow(int_type byte) {
  if (!traits_type::eq_int_type(byte, traits_type::eof())) line_ += traits_type::to_char_type(byte);
  return traits_type::not_eof(byte);
}

std::streamsize BackgroundOutput::xsputn(const char* bytes, std::streamsize count) {
  line_.append(bytes, static_cast<std::size_t>(count));
  return count;
}

int BackgroundOutput::sync() {
  if (line_.empty()) return 0;
  std::size_t written = 0;
  {
    const std::lock_guard lock(shared_->mutex);
    if (!shared_->why.empty()) {
      line_.clear();
      return 0;
    }
    // While nothing waits, the line goes out at once when the reader has room for it:
    // no thread to wake. What does not fit waits, behind nothing.
    if (shared_->waitingBytes == 0 && shared_->direct >= 0) {
      written = shared_->writeSome(line_);
      if (!shared_->why.empty() || written == line_.size()) {
        line_.clear();
        return 0;
      }
    }
    if (shared_->waitingBytes + line_.size() - written > kLimit) {
      shared_->fail("more than 64 MiB of events wait for a reader of standard output");
      line_.clear();
      return 0;
    }
    shared_->waitingBytes += line_.size() - written;
    shared_->waiting.append(line_, written);
  }
  line_.clear();
  // Woken after the lock is let go, so the writer does not wake only to wait for it.
  shared_->changed.notify_all();
  return 0;
}

}  // namespace kiro
