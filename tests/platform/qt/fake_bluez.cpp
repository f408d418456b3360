#include "tests/platform/qt/fake_bluez.h"

#include <sys/prctl.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <csignal>

namespace kiro {

namespace {

const QString kDirectory = QFileInfo(QStringLiteral(__FILE__)).absolutePath();
const QString kControlConnection = QStringLiteral("kiro-fake-bluez");

void stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.kill();
  process.waitForFinished(3000);
}

}  // namespace

void dieWithParent() { prctl(PR_SET_PDEATHSIG, SIGKILL); }

bool spinUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(timeout);
  while (!done()) {
    if (!deadline.isActive()) return false;
    QEventLoop loop;
    QTimer::singleShot(2, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

void spinFor(std::chrono::milliseconds duration) {
  QEventLoop loop;
  QTimer::singleShot(duration, &loop, &QEventLoop::quit);
  loop.exec();
}

FakeBluez::FakeBluez() {
  bus_.setChildProcessModifier(dieWithParent);
  bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + kDirectory + "/fake_bluez_bus.conf",
                                             QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
  if (!bus_.waitForReadyRead(5000)) {
    failure_ = QStringLiteral("dbus-daemon did not start: ") + bus_.errorString();
    return;
  }
  const QByteArray address = bus_.readLine().trimmed();
  address_ = QString::fromUtf8(address);
  qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
  // Qt 6.4 picks BlueZ's D-Bus API for LE only when it believes bluetoothd is recent.
  qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");

  if (!startDaemon()) failure_ = QStringLiteral("the fake bluetoothd did not start");
}

bool FakeBluez::startDaemon() {
  bluetoothd_.setChildProcessModifier(dieWithParent);
  bluetoothd_.setStandardOutputFile(QProcess::nullDevice());
  bluetoothd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  bluetoothd_.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                     kDirectory + "/fake_bluez.py"});
  bluetoothd_.waitForStarted(5000);
  // Its own connection: this process's system bus connection may belong to an earlier fake.
  QDBusConnection bus = QDBusConnection::connectToBus(address_, kControlConnection);
  const bool up = spinUntil([&] {
    return bluetoothd_.state() != QProcess::Running || bus.interface()->isServiceRegistered(QStringLiteral("org.bluez"));
  });
  if (!up || bluetoothd_.state() != QProcess::Running) return false;
  control_ = std::make_unique<QDBusInterface>(QStringLiteral("org.bluez"), QStringLiteral("/"),
                                              QStringLiteral("org.kiro.FakeBluez"), bus);
  return true;
}

void FakeBluez::stopDaemon() {
  control_.reset();
  stop(bluetoothd_);
}

FakeBluez::~FakeBluez() {
  control_.reset();
  QDBusConnection::disconnectFromBus(kControlConnection);
  stop(bluetoothd_);
  stop(bus_);
}

bool FakeBluez::call(const char* method, const QList<QVariant>& arguments) {
  if (!control_) return false;
  const QDBusMessage reply = control_->callWithArgumentList(QDBus::Block, QString::fromLatin1(method), arguments);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    failure_ += QString::fromLatin1(method) + QStringLiteral(": ") + reply.errorMessage() + QLatin1Char('\n');
    return false;
  }
  return reply.arguments().value(0).toBool();
}

std::vector<FakeBluez::Write> FakeBluez::writes(const QString& address) {
  std::vector<Write> result;
  if (!control_) return result;
  const QDBusMessage reply = control_->call(QStringLiteral("Writes"), address);
  if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().isEmpty()) return result;
  const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    Write write;
    list.beginStructure();
    list >> write.bytes >> write.type >> write.arrival;
    list.endStructure();
    result.push_back(write);
  }
  list.endArray();
  return result;
}

}  // namespace kiro
