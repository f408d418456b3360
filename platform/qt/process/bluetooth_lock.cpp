#include "platform/qt/process/bluetooth_lock.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

namespace kiro {

namespace {

// The system bus that Bluetooth is reached on: runs on another bus (a container's, a test's
// fake daemon) drive another daemon and need not wait for each other.
std::string systemBusId() {
  const QDBusMessage reply = QDBusConnection::systemBus().call(
      QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId"));
  return reply.arguments().value(0).toString().toStdString();
}

}  // namespace

Result<> lockBluetooth() {
  // A name in the abstract socket namespace: no file to find a folder for or to clean up,
  // and the kernel lets it go with the process however it ends.
  const std::string name = "kiro-remote-bluetooth/" + std::to_string(::getuid()) + "/" + systemBusId();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t used = std::min(name.size(), sizeof address.sun_path - 1);
  std::memcpy(address.sun_path + 1, name.data(), used);
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + used);
  // Left open on purpose: the lock lasts as long as the process.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Error{std::string("cannot take the Bluetooth lock: ") + std::strerror(errno)};
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) return {};
  const int error = errno;
  ::close(fd);
  if (error == EADDRINUSE) return Error{"another KIRO Remote is using Bluetooth"};
  return Error{std::string("cannot take the Bluetooth lock: ") + std::strerror(error)};
}

}  // namespace kiro
