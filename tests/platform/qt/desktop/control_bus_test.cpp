#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <vector>

#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

const QString kName = QStringLiteral("io.github.kiro_remote.KiroRemote");
const QString kPath = QStringLiteral("/io/github/kiro_remote/KiroRemote");
const QString kControl = QStringLiteral("io.github.kiro_remote.KiroRemote1");
const QString kApplication = QStringLiteral("org.freedesktop.Application");
// Connects a receiver and goes back to the remote screen; "state" says when.
const QByteArray kConnect =
    "receiver add Kiro-7\nwait 1200\ntap search\nwait 100\nselect 0\nwait 300\ntap back\nwait 100\nstate\nwait 60000\n";

}  // namespace

// Keeps the names of the properties each PropertiesChanged announced.
class PropertyLog : public QObject {
  Q_OBJECT
 public:
  QStringList changed;
 public Q_SLOTS:
  void propertiesChanged(const QString&, const QVariantMap& properties, const QStringList&) {
    changed << properties.keys();
  }
};

namespace {

// kiro-remote runs on a private session bus, with simulated receivers on real time.
class ControlBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A session bus that starts the app from a service file in folder_, as a desktop's does.
    QFile config(folder_.filePath(QStringLiteral("bus.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><servicedir>" + folder_.path().toUtf8() +
                 "</servicedir><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                 "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
    config.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    bus_.setProcessEnvironment(environment);
    bus_.setChildProcessModifier(dieWithParent);
    bus_.start(QStringLiteral("dbus-daemon"), {"--config-file=" + config.fileName(), QStringLiteral("--nofork"),
                                               QStringLiteral("--print-address=1")});
    ASSERT_TRUE(bus_.waitForReadyRead(5000)) << bus_.errorString().toStdString();
    address_ = QString::fromUtf8(bus_.readLine().trimmed());
    ASSERT_TRUE(connection().isConnected());
    connection().connect(QString(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                         QStringLiteral("PropertiesChanged"), &properties_,
                         SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
  }

  void TearDown() override {
    for (auto& app : apps_) {
      if (app->state() == QProcess::NotRunning) continue;
      ::kill(static_cast<pid_t>(app->processId()), SIGTERM);
      EXPECT_TRUE(app->waitForFinished(5000));
      EXPECT_EQ(app->exitCode(), 0) << app->readAllStandardError().toStdString();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("control-test"));
    bus_.kill();
    bus_.waitForFinished(3000);
  }

  QDBusConnection connection() { return QDBusConnection::connectToBus(address_, QStringLiteral("control-test")); }

  // A run of kiro-remote on the bus: with its window, or headless; its script on standard input.
  QProcess& launch(QStringList arguments, const QProcessEnvironment& extra = {}) {
    auto& app = *apps_.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    app.setProcessEnvironment(environment);
    app.setChildProcessModifier(dieWithParent);
    arguments << QStringLiteral("--simulate") << QStringLiteral("--settings") << folder_.filePath("s.ini")
              << QStringLiteral("--documents") << folder_.path();
    app.start(QStringLiteral(KIRO_REMOTE_PATH), arguments);
    EXPECT_TRUE(app.waitForStarted(5000));
    return app;
  }

  bool owned() { return connection().interface()->isServiceRegistered(kName); }

  QDBusMessage call(const QString& interface, const QString& method, const QList<QVariant>& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kName, kPath, interface, method);
    message.setArguments(arguments);
    return connection().call(message, QDBus::Block, 5000);
  }

  QVariant property(const QString& name) {
    const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {kControl, name});
    return reply.arguments().value(0).value<QDBusVariant>().variant();
  }

  // The events of that name app printed so far.
  std::vector<QJsonObject> events(QProcess& app, const char* name) {
    output_ += app.readAllStandardOutput();
    std::vector<QJsonObject> found;
    for (const QByteArray& line : output_.split('\n')) {
      const QJsonObject event = QJsonDocument::fromJson(line).object();
      if (event.value("event") == name) found.push_back(event);
    }
    return found;
  }

  // When each write of bytes happened, in milliseconds since launch.
  std::vector<int> writes(QProcess& app, const char* bytes) {
    std::vector<int> times;
    for (const auto& event : events(app, "write"))
      if (event.value("bytes") == bytes) times.push_back(event.value("t").toInt());
    return times;
  }

  bool called(QProcess& app, const char* method) {
    const auto remote = events(app, "remote");
    return std::any_of(remote.begin(), remote.end(), [&](const QJsonObject& event) {
      return event.value("method") == method && event.value("caller").toString().startsWith(':');
    });
  }

  QProcess bus_;
  QString address_;
  QTemporaryDir folder_;
  std::vector<std::unique_ptr<QProcess>> apps_;
  QByteArray output_;
  PropertyLog properties_;
};

TEST_F(ControlBusTest, ASecondWindowRaisesTheFirstAndEnds) {
  QProcess& first = launch({QStringLiteral("--script=/dev/stdin")});
  ASSERT_TRUE(spinUntil([&] { return owned(); }, 10s)) << first.readAllStandardError().toStdString();
  QProcess& second = launch({});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
  EXPECT_TRUE(spinUntil([&] { return called(first, "Activate"); }));
}

// Two launches at the same instant: the one that got the name stays, the other raises it
// and ends. A system bus that does not answer yet holds both in their start-up, so that
// they meet however fast they start.
TEST_F(ControlBusTest, TwoWindowsLaunchedAtOnceEndAsOne) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = folder_.filePath(QStringLiteral("system_bus")).toUtf8();
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::copy(path.begin(), path.end(), address.sun_path);
  const int silent = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_EQ(::bind(silent, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(silent, 8), 0);
  QProcessEnvironment system;
  system.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), "unix:path=" + QString::fromUtf8(path));
  QProcess& first = launch({}, system);
  QProcess& second = launch({}, system);
  spinFor(1s);
  ::close(silent);  // the connections waiting on it are refused: no system bus
  const auto running = [&] { return (first.state() != QProcess::NotRunning) + (second.state() != QProcess::NotRunning); };
  ASSERT_TRUE(spinUntil([&] { return running() < 2; }, 15s)) << first.readAllStandardError().toStdString();
  spinFor(1s);
  EXPECT_EQ(running(), 1);
  QProcess& ended = first.state() == QProcess::NotRunning ? first : second;
  EXPECT_EQ(ended.exitCode(), 0) << ended.readAllStandardError().toStdString();
  EXPECT_TRUE(owned());
}

// The desktop has D-Bus start the app to run an action: D-Bus holds the call until the run
// owns the name, and the run answers it once it can.
TEST_F(ControlBusTest, ACallThatStartsTheAppIsAnswered) {
  QFile service(folder_.filePath(kName + ".service"));
  ASSERT_TRUE(service.open(QIODevice::WriteOnly));
  service.write("[D-BUS Service]\nName=" + kName.toUtf8() + "\nExec=" KIRO_REMOTE_PATH " --simulate --settings " +
                folder_.filePath("s.ini").toUtf8() + " --documents " + folder_.path().toUtf8() + "\n");
  service.close();
  const QDBusMessage reply = call(kApplication, "ActivateAction", {"stop", QVariantList(), QVariantMap()});
  EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
  const uint started = connection().interface()->servicePid(kName);
  ASSERT_GT(started, 0u);
  ::kill(static_cast<pid_t>(started), SIGTERM);
  EXPECT_TRUE(spinUntil([&] { return !owned(); }));
}

// Each verb acts as a hand would, refusals change nothing, the properties announce what
// changed, and a shutter pressed by a caller that leaves the bus is let go.
TEST_F(ControlBusTest, RemoteCallsActAsAHandsTouchesAndRefusalsAreErrors) {
  QProcess& app = launch({QStringLiteral("--headless")});
  ASSERT_TRUE(spinUntil([&] { return owned(); }, 10s)) << app.readAllStandardError().toStdString();
  const QString error = kControl + QStringLiteral(".Error.");
  EXPECT_EQ(call(kControl, "Shoot", {0u}).errorName(), error + "NotConnected");
  EXPECT_EQ(property("Connection").toUInt(), 0u);
  EXPECT_EQ(call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {kControl, "Connected"}).errorName(),
            "org.freedesktop.DBus.Error.UnknownProperty");
  // No window to raise: a window launch then starts on its own.
  EXPECT_EQ(call(kApplication, "Activate", {QVariantMap()}).errorName(), "org.freedesktop.DBus.Error.NotSupported");
  app.write(kConnect);
  ASSERT_TRUE(spinUntil([&] { return !events(app, "state").empty(); }, 10s));
  ASSERT_EQ(property("Connection").toUInt(), 2u);

  ASSERT_EQ(call(kControl, "Shoot", {500u}).type(), QDBusMessage::ReplyMessage);
  ASSERT_TRUE(spinUntil([&] { return !writes(app, "40").empty(); }));
  // 500 ms on the 25 ms frame grid, and the stamps' own jitter on a busy machine (10 ms).
  const int held = writes(app, "40").front() - writes(app, "30").front();
  EXPECT_GE(held, 465);
  EXPECT_LE(held, 535);

  EXPECT_EQ(call(kControl, "StartTimer", {QVariantMap{{"mode", "bulb"}}}).errorName(), error + "InvalidPlan");
  // Durations past the ladders never get in, with the reason the timer screen gives.
  EXPECT_EQ(call(kControl, "Shoot", {2147483648u}).errorMessage(), "the bulb time is at most 4 h");
  EXPECT_EQ(call(kControl, "StartTimer", {QVariantMap{{"mode", "interval"}, {"interval", 5000u}, {"count", 2147483648u}}})
                .errorMessage(),
            "at most 9999 shots");
  // The plan also comes in a script's words; Continue with no series waiting is refused.
  EXPECT_EQ(call(kControl, "StartTimer", {QVariantMap{{"words", "interval 5s 2 --bulb 5h"}}}).errorMessage(),
            "the bulb time is at most 4 h");
  EXPECT_EQ(call(kControl, "Continue").errorName(), error + "InvalidPlan");
  const auto timer = [&] { return qdbus_cast<QVariantMap>(property("Timer").value<QDBusArgument>()); };
  ASSERT_EQ(call(kApplication, "ActivateAction", {"self-timer", QVariantList(), QVariantMap()}).type(),
            QDBusMessage::ReplyMessage);
  EXPECT_EQ(timer().value("mode"), "self");
  EXPECT_EQ(call(kControl, "PressShutter").errorName(), error + "Busy");
  ASSERT_EQ(call(kApplication, "ActivateAction", {"stop", QVariantList(), QVariantMap()}).type(),
            QDBusMessage::ReplyMessage);
  EXPECT_EQ(timer().value("state"), "stopped");
  ASSERT_EQ(call(kControl, "StartTimer", {QVariantMap{{"mode", "interval"}, {"interval", 5000u}, {"count", 0u}}}).type(),
            QDBusMessage::ReplyMessage);
  EXPECT_FALSE(timer().contains("of"));  // until stopped
  call(kControl, "StopTimer");  // the first shot's press, under way, ends as planned
  EXPECT_TRUE(spinUntil([&] { return timer().value("state") == "stopped"; }));
  call(kControl, "StopTimer");  // changes nothing, so it is no event

  const std::size_t before = writes(app, "30").size();
  ASSERT_EQ(call(kApplication, "ActivateAction", {"shoot", QVariantList(), QVariantMap()}).type(),
            QDBusMessage::ReplyMessage);
  EXPECT_TRUE(spinUntil([&] { return writes(app, "30").size() > before; }));
  EXPECT_TRUE(properties_.changed.contains("Connection") && properties_.changed.contains("Receiver"));
  EXPECT_TRUE(spinUntil([&] { return properties_.changed.contains("Lamps"); }));
  EXPECT_TRUE(called(app, "Shoot"));
  const auto stops = events(app, "remote");
  EXPECT_EQ(std::count_if(stops.begin(), stops.end(), [](const QJsonObject& event) { return event.value("method") == "StopTimer"; }),
            1);
  ASSERT_TRUE(spinUntil([&] { return !property("Shutter").toBool(); }));

  // A remote that pressed and then went away must not hold the camera open.
  {
    QDBusConnection caller = QDBusConnection::connectToBus(address_, QStringLiteral("caller"));
    QDBusMessage press = QDBusMessage::createMethodCall(kName, kPath, kControl, QStringLiteral("PressShutter"));
    ASSERT_EQ(caller.call(press, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
  }
  ASSERT_TRUE(property("Shutter").toBool());
  // Only the caller that pressed lets go.
  EXPECT_EQ(call(kControl, "ReleaseShutter").errorName(), error + "Busy");
  ASSERT_TRUE(property("Shutter").toBool());
  QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
  QElapsedTimer gone;
  gone.start();
  ASSERT_TRUE(spinUntil([&] { return !property("Shutter").toBool(); }));
  EXPECT_LT(gone.elapsed(), 100);
}

// The desktop's Shoot on a cold start: the app is up before the remembered receiver is
// connected, and the action waits for it instead of failing at once.
TEST_F(ControlBusTest, AnActionOnAColdStartWaitsForTheRememberedReceiver) {
  const QString id = QStringLiteral("4B49524F-0000-4000-8000-0000000000C5");
  {
    QSettings settings(folder_.filePath("s.ini"), QSettings::IniFormat);
    settings.setValue("iphone", QVariantMap{{"name", "Kiro-7"}, {"uuid", id}});
  }
  QProcess& app = launch({QStringLiteral("--headless")});
  app.write("receiver add Kiro-7 --id " + id.toUtf8() + "\n");
  ASSERT_TRUE(spinUntil([&] { return owned(); }, 10s)) << app.readAllStandardError().toStdString();
  ASSERT_EQ(property("Connection").toUInt(), 0u);
  const QDBusMessage shot = call(kApplication, "ActivateAction", {"shoot", QVariantList(), QVariantMap()});
  EXPECT_EQ(shot.type(), QDBusMessage::ReplyMessage) << shot.errorMessage().toStdString();
  EXPECT_TRUE(spinUntil([&] { return !writes(app, "30").empty(); }));
}

}  // namespace
}  // namespace kiro

#include "control_bus_test.moc"
