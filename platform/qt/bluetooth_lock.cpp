#include "platform/qt/bluetooth_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/terminal_text.h"

namespace kiro {

Result<> lockBluetooth() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string path = runtime && *runtime ? std::string(runtime) + "/kiro-remote-bluetooth.lock"
                                               : "/tmp/kiro-remote-bluetooth-" + std::to_string(::getuid()) + ".lock";
  // Left open on purpose: the lock lasts as long as the process.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Error{"cannot open " + terminalSafe(path) + ": " + std::strerror(errno)};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return {};
  const int error = errno;
  ::close(fd);
  if (error == EWOULDBLOCK) return Error{"another KIRO Remote is using Bluetooth"};
  return Error{"cannot lock " + terminalSafe(path) + ": " + std::strerror(error)};
}

}  // namespace kiro
