#pragma once

#include <QByteArray>
#include <QDBusInterface>
#include <QProcess>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace kiro {

// Runs the Qt event loop until done() holds or timeout passes; false on timeout.
bool spinUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(5));
// Runs the Qt event loop for duration.
void spinFor(std::chrono::milliseconds duration);
// For QProcess::setChildProcessModifier: the child dies with the test process, even when it crashes.
void dieWithParent();

// A private system bus with a fake bluetoothd on it (fake_bluez.py beside it), steered
// over D-Bus. Qt binds to the system bus once per process, so start it before any Qt
// Bluetooth object exists; both processes die with this object, or with the test process.
class FakeBluez {
 public:
  FakeBluez();
  ~FakeBluez();
  FakeBluez(const FakeBluez&) = delete;
  FakeBluez& operator=(const FakeBluez&) = delete;

  // Empty while the bus and the fake are up and every call went through; otherwise what failed.
  const QString& failure() const { return failure_; }
  // The private bus, for DBUS_SYSTEM_BUS_ADDRESS of other processes.
  const QString& address() const { return address_; }

  // method: one of the steering methods fake_bluez.py lists, given arguments; its
  // answer, or false when it has none or failed.
  bool call(const char* method, const QList<QVariant>& arguments = {});

  struct Write {
    QByteArray bytes;
    QString type;  // "request" or "command"
    double arrival;  // CLOCK_MONOTONIC seconds
  };
  std::vector<Write> writes(const QString& address);

  // The daemon dies, as bluetoothd killed; started again it knows no devices.
  void stopDaemon();
  bool startDaemon();

 private:
  QProcess bus_;
  QProcess bluetoothd_;
  QString failure_;
  QString address_;
  std::unique_ptr<QDBusInterface> control_;
};

}  // namespace kiro
