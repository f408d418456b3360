#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <tuple>
#include <functional>
#include <memory>
#include <vector>

#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

const QString kKiro = QStringLiteral("AA:BB:CC:DD:EE:01");
const QString kOther = QStringLiteral("AA:BB:CC:DD:EE:02");
const QString kCommand = QStringLiteral("0000ffb2-0000-1000-8000-00805f9b34fb");

// Whether texts has first, then later.
bool went(const QStringList& texts, const QString& first, const QString& later) {
  const qsizetype at = texts.indexOf(first);
  return at >= 0 && texts.indexOf(later, at + 1) > at;
}

// kiro-remote --headless --bluetooth on a private system bus with the fake bluetoothd,
// its script written to standard input as the test goes.
class KiroRemoteBluetoothTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_ = std::make_unique<FakeBluez>();
    ASSERT_TRUE(fake_->failure().isEmpty()) << fake_->failure().toStdString();
    // Found first: listed by mistake, it would be row 0.
    fake_->call("AddDevice", {kOther, QStringLiteral("Headphones")});
    fake_->call("AddDevice", {kKiro, QStringLiteral("Kiro-7")});
    ASSERT_TRUE(folder_.isValid());
  }

  // window: with its (offscreen) window, the script still coming on standard input.
  // relayed: the events come through cat, which the test can kill to close their pipe.
  void launch(bool window = false, bool relayed = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), fake_->address());
    environment.insert(QStringLiteral("BLUETOOTH_FORCE_DBUS_LE_VERSION"), QStringLiteral("5.66"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The Bluetooth lock of this test's runs only: others may run beside it.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
    app_.setProcessEnvironment(environment);
    app_.setChildProcessModifier(dieWithParent);
    events_from_ = relayed ? &relay_ : &app_;
    QObject::connect(events_from_, &QProcess::readyReadStandardOutput, [this] { readEvents(); });
    QObject::connect(&app_, &QProcess::readyReadStandardError, [this] { errors_ += app_.readAllStandardError(); });
    if (relayed) {
      app_.setStandardOutputProcess(&relay_);
      relay_.setChildProcessModifier(dieWithParent);
      relay_.start(QStringLiteral("cat"), {});
    }
    app_.start(QStringLiteral(KIRO_REMOTE_PATH),
               {window ? QStringLiteral("--script=/dev/stdin") : QStringLiteral("--headless"), QStringLiteral("--bluetooth"),
                QStringLiteral("--settings"), folder_.filePath(QStringLiteral("settings.ini")),
                QStringLiteral("--documents"), folder_.path()});
    started_ = app_.waitForStarted(5000);
    ASSERT_TRUE(started_) << app_.errorString().toStdString();
  }

  void TearDown() override {
    // The script ends with its input; the app must then quit cleanly by itself.
    if (app_.state() != QProcess::NotRunning) {
      app_.closeWriteChannel();
      if (!app_.waitForFinished(5000)) {
        ADD_FAILURE() << "kiro-remote did not end with its script\n" << transcript();
        app_.kill();
        app_.waitForFinished(3000);
      }
    }
    if (started_) {
      EXPECT_EQ(app_.exitStatus(), QProcess::NormalExit) << transcript();
      EXPECT_EQ(app_.exitCode(), 0) << transcript();
    }
    // Nothing may come in while the fixture's members go.
    for (QProcess* process : {&app_, &relay_}) QObject::disconnect(process, nullptr, nullptr, nullptr);
    relay_.kill();
    relay_.waitForFinished(3000);
    fake_.reset();
  }

  void readEvents() {
    output_ += events_from_->readAllStandardOutput();
    for (qsizetype end = output_.indexOf('\n'); end >= 0; end = output_.indexOf('\n')) {
      const QJsonObject json = QJsonDocument::fromJson(output_.left(end)).object();
      output_.remove(0, end + 1);
      if (json.value(QStringLiteral("event")) == QStringLiteral("state")) {
        state_ = json;
        ++statesRead_;
        // Two bounds on how long the app took, each with the other side's delays in it: on
        // the test's clock, and on the app's from the wait after the last one.
        const qint64 here = clock_.elapsed() - stateSentAt_;
        const qint64 there = json.value(QStringLiteral("t")).toInteger() - lastStateT_ - 25;
        slowestState_ = std::max(slowestState_, std::min(here, there));
        lastStateAt_ = clock_.elapsed();
        lastStateT_ = json.value(QStringLiteral("t")).toInteger();
      }
      events_.push_back(json);
    }
  }

  // The app reads its script only between waits, so a short wait always stays queued behind
  // what the test sends; the "state" line before it says when that wait was reached.
  void send(const QByteArray& commands) { pending_ += commands; }

  void feed() {
    if (statesRead_ < statesSent_ || app_.state() != QProcess::Running) return;
    app_.write(pending_ + "state\nwait 25\n");
    pending_.clear();
    // Counted from when the app can first read it: once the wait after the last one is over.
    stateSentAt_ = std::max(clock_.elapsed(), lastStateAt_ + 25);
    ++statesSent_;
  }

  bool runUntil(const std::function<bool()>& done) {
    return spinUntil([&] {
      feed();
      return done();
    });
  }

  std::vector<QJsonObject> since(std::size_t mark, const QString& name) const {
    std::vector<QJsonObject> found;
    for (std::size_t i = mark; i < events_.size(); ++i) {
      if (events_[i].value(QStringLiteral("event")) == name) found.push_back(events_[i]);
    }
    return found;
  }

  // Field of each event name since mark, oldest first.
  QStringList values(std::size_t mark, const QString& name, const QString& field) const {
    QStringList texts;
    for (const auto& event : since(mark, name)) texts << event.value(field).toString();
    return texts;
  }

  QJsonArray devices() const { return state_.value(QStringLiteral("devices")).toArray(); }

  QString status() const { return devices().at(0).toObject().value(QStringLiteral("status")).toString(); }

  // Opens the list, checks only the receiver is listed, picks it and goes back once it connected.
  void connectKiro() {
    send("tap search\n");
    ASSERT_TRUE(runUntil([&] { return !devices().isEmpty(); })) << transcript();
    ASSERT_EQ(devices().size(), 1) << transcript();
    EXPECT_EQ(devices().at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Kiro-7"));
    send("select 0\n");
    ASSERT_TRUE(runUntil([&] { return status() == QStringLiteral("connected"); })) << transcript();
    send("tap back\n");
    ASSERT_TRUE(runUntil([&] { return state_.value(QStringLiteral("stack")).toArray().size() == 1; })) << transcript();
  }

  // True once the receiver's link is subscribed again and took the value.
  bool notifyKiro(char value) { return fake_->call("Notify", {kKiro, kCommand, QByteArray(1, value)}); }

  // When each frame of value reached the receiver, oldest first (CLOCK_MONOTONIC seconds).
  std::vector<double> arrivals(char value) {
    std::vector<double> times;
    for (const auto& write : fake_->writes(kKiro))
      if (write.bytes == QByteArray(1, value)) times.push_back(write.arrival);
    return times;
  }

  // Holds R until its frames reach the receiver.
  void holdShutter() {
    send("press R\n");
    ASSERT_TRUE(runUntil([&] { return !arrivals(0x30).empty(); })) << transcript();
  }

  bool greenLit() const {
    return state_.value(QStringLiteral("lamps")).toObject().value(QStringLiteral("green")).toBool();
  }

  std::string transcript() const {
    std::string text = "app stderr:\n" + errors_.toStdString() + "last events:\n";
    const std::size_t from = events_.size() > 12 ? events_.size() - 12 : 0;
    for (std::size_t i = from; i < events_.size(); ++i)
      text += QJsonDocument(events_[i]).toJson(QJsonDocument::Compact).toStdString() + '\n';
    return text;
  }

  std::unique_ptr<FakeBluez> fake_;
  QTemporaryDir folder_;
  QProcess app_;
  QProcess relay_;
  QProcess* events_from_ = &app_;
  bool started_ = false;
  QByteArray output_;
  QByteArray errors_;
  QByteArray pending_;
  int statesSent_ = 0;
  int statesRead_ = 0;
  std::vector<QJsonObject> events_;
  QJsonObject state_;  // the last "state" event
  QElapsedTimer clock_ = [] {
    QElapsedTimer started;
    started.start();
    return started;
  }();
  qint64 stateSentAt_ = 0;
  qint64 lastStateAt_ = 0;  // when the last "state" event was read
  qint64 lastStateT_ = 0;  // and its t
  // The longest a "state" line of feed's took to be answered, in ms.
  qint64 slowestState_ = 0;
};

// The link manager, the screens and the script events on the Qt central: what the
// contract and the core tests see only apart.
TEST_F(KiroRemoteBluetoothTest, APickedReceiverGetsTheFocusCommandLightsTheLampAndIsConnectedAgainWhenItsLinkDrops) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const QString id = devices().at(0).toObject().value(QStringLiteral("id")).toString();
  std::size_t mark = events_.size();
  send("press F\n");
  ASSERT_TRUE(runUntil([&] { return since(mark, QStringLiteral("write")).size() >= 3; })) << transcript();
  send("press F\n");
  for (const auto& write : since(mark, QStringLiteral("write"))) {
    EXPECT_EQ(write.value(QStringLiteral("receiver")).toString(), id);
    EXPECT_EQ(write.value(QStringLiteral("bytes")).toString(), QStringLiteral("10"));
    EXPECT_EQ(write.value(QStringLiteral("withResponse")), QJsonValue(true));
  }
  ASSERT_TRUE(runUntil([&] { return notifyKiro(0x01); })) << transcript();
  EXPECT_TRUE(runUntil([&] { return greenLit(); })) << transcript();
  ASSERT_TRUE(runUntil([&] { return !greenLit(); })) << transcript();

  mark = events_.size();
  fake_->call("DropLink", {kKiro});
  const QString disconnected = QStringLiteral("disconnected"), connected = QStringLiteral("connected");
  const auto label = [&] { return values(mark, QStringLiteral("label"), QStringLiteral("text")); };
  ASSERT_TRUE(runUntil([&] { return went(label(), disconnected, connected); })) << transcript();
  // The new link is subscribed again: feedback reaches the lamps.
  ASSERT_TRUE(runUntil([&] { return notifyKiro(0x01); })) << transcript();
  EXPECT_TRUE(runUntil([&] { return greenLit(); })) << transcript();
  // The receiver's own events tell the same story as the label.
  EXPECT_TRUE(went(values(mark, QStringLiteral("receiver"), QStringLiteral("state")), disconnected, connected))
      << transcript();
}

// bluetoothd killed under a held shutter and started again: the receiver is shown lost
// at once, then connected again by itself, and the held command reaches it again.
TEST_F(KiroRemoteBluetoothTest, AHeldShutterReachesTheReceiverAgainAfterTheBluetoothDaemonRestarts) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const auto held = [&] {
    for (const auto& write : fake_->writes(kKiro))
      if (write.bytes == QByteArray(1, 0x30)) return true;
    return false;
  };
  send("press R\n");
  ASSERT_TRUE(runUntil(held)) << transcript();

  const std::size_t mark = events_.size();
  fake_->stopDaemon();
  const QString disconnected = QStringLiteral("disconnected"), connected = QStringLiteral("connected");
  const auto label = [&] { return values(mark, QStringLiteral("label"), QStringLiteral("text")); };
  ASSERT_TRUE(runUntil([&] { return label().contains(disconnected); })) << transcript();
  QElapsedTimer away;
  away.start();
  runUntil([&] { return away.hasExpired(3000); });
  ASSERT_TRUE(fake_->startDaemon());
  fake_->call("AddDevice", {kKiro, QStringLiteral("Kiro-7")});
  ASSERT_TRUE(runUntil([&] { return went(label(), disconnected, connected); })) << transcript();
  EXPECT_TRUE(runUntil(held)) << transcript();
  send("release R\n");
}

// Two runs must never drive one receiver: the second on Bluetooth stops at its start, even
// from another session, whose runtime folder differs or is missing.
TEST_F(KiroRemoteBluetoothTest, ASecondRunOnBluetoothStopsAtStart) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_TRUE(runUntil([&] { return statesRead_ > 0; })) << transcript();
  for (const QString& runtime : {app_.processEnvironment().value(QStringLiteral("XDG_RUNTIME_DIR")),
                                 QStringLiteral("/nonexistent"), QString()}) {
    QProcessEnvironment environment = app_.processEnvironment();
    if (runtime.isEmpty()) environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    else environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess second;
    second.setProcessEnvironment(environment);
    second.setChildProcessModifier(dieWithParent);
    second.start(QStringLiteral(KIRO_REMOTE_PATH), app_.arguments());
    ASSERT_TRUE(second.waitForFinished(10000)) << runtime.toStdString();
    EXPECT_EQ(second.exitCode(), 1) << runtime.toStdString();
    EXPECT_TRUE(second.readAllStandardError().contains("another KIRO Remote is using Bluetooth")) << runtime.toStdString();
  }
}

// Writes queued behind one bluetoothd never answers would reach the receiver long after
// they stopped being current: the link is built again instead, and R works on the new one.
TEST_F(KiroRemoteBluetoothTest, AWriteNeverAnsweredRebuildsTheLinkAndNoStaleFrameArrivesLater) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  ASSERT_NO_FATAL_FAILURE(holdShutter());
  const std::size_t mark = events_.size();
  fake_->call("SetWriteResponse", {kKiro, QStringLiteral("stall")});
  const auto label = [&] { return values(mark, QStringLiteral("label"), QStringLiteral("text")); };
  ASSERT_TRUE(runUntil([&] { return went(label(), QStringLiteral("disconnected"), QStringLiteral("connected")); }))
      << transcript();
  EXPECT_EQ(values(mark, QStringLiteral("writeFailed"), QStringLiteral("bytes")).value(0), QStringLiteral("30"));
  const std::size_t before = arrivals(0x30).size();
  ASSERT_TRUE(runUntil([&] { return arrivals(0x30).size() > before; })) << transcript();

  send("release R\n");
  ASSERT_TRUE(runUntil([&] { return !arrivals(0x40).empty(); })) << transcript();
  QElapsedTimer later;
  later.start();
  runUntil([&] { return later.hasExpired(2000); });
  EXPECT_LT(arrivals(0x30).back(), arrivals(0x40).front());
}

// Refused writes and a receiver without the command characteristic read "connected" but
// take nothing: said by an event and on stderr once a connection, cleared by a good write.
TEST_F(KiroRemoteBluetoothTest, CommandsThatDoNotGetThroughAreSaidAndClearedWhenAWriteIsAccepted) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  // Each commands event's reason: set when refused, empty when accepted again.
  const auto reasons = [&](std::size_t mark) { return values(mark, QStringLiteral("commands"), QStringLiteral("reason")); };
  for (const char* error : {"Failed", "InProgress", "NotPermitted"}) {
    const std::size_t mark = events_.size();
    fake_->call("SetWriteResponse", {kKiro, QString::fromLatin1(error)});
    send("press F\n");
    ASSERT_TRUE(runUntil([&] { return reasons(mark).size() == 1; })) << error << transcript();
    EXPECT_FALSE(reasons(mark)[0].isEmpty());
    EXPECT_EQ(values(mark, QStringLiteral("writeFailed"), QStringLiteral("bytes")).value(0), QStringLiteral("10"));
    fake_->call("SetWriteResponse", {kKiro, QStringLiteral("answer")});
    ASSERT_TRUE(runUntil([&] { return reasons(mark).size() == 2; })) << error << transcript();
    EXPECT_TRUE(reasons(mark)[1].isEmpty());
    send("press F\n");
    EXPECT_FALSE(values(mark, QStringLiteral("label"), QStringLiteral("text")).contains(QStringLiteral("disconnected")));
  }

  const std::size_t mark = events_.size();
  fake_->call("WithoutCommandCharacteristic", {kKiro});
  fake_->call("DropLink", {kKiro});
  ASSERT_TRUE(runUntil([&] { return reasons(mark).size() == 1; })) << transcript();
  EXPECT_TRUE(reasons(mark)[0].contains("FFB2"));
  EXPECT_EQ(errors_.count("does not accept commands"), 2) << transcript();
}

// Nobody reads the events for 5 s while R is held and let go: the pump and the script's
// own timing go on, and the events wait.
TEST_F(KiroRemoteBluetoothTest, AReaderThatStallsHoldsUpNeitherThePumpNorTheRelease) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const int states = statesRead_;
  // Far more than a pipe holds, then the shutter, all read at once by the app.
  app_.write(QByteArray("state\n").repeated(400) + "press R\nwait 2000\nrelease R\nwait 1500\n");
  app_.waitForBytesWritten(5000);
  // No event loop here: nothing reads the app's standard output meanwhile.
  std::this_thread::sleep_for(5s);
  const std::vector<double> held = arrivals(0x30);
  const std::vector<double> notice = arrivals(0x40);
  ASSERT_GT(held.size(), 40u);
  ASSERT_FALSE(notice.empty());
  for (std::size_t i = 1; i < held.size(); ++i) EXPECT_LT(held[i] - held[i - 1], 0.2) << "frame " << i;
  EXPECT_NEAR(notice.front() - held.front(), 2.0, 0.2);
  EXPECT_TRUE(runUntil([&] { return statesRead_ >= states + 400; })) << transcript();
  // Each line whole, where the writer thread took over from the direct writes and back.
  EXPECT_EQ(std::count_if(events_.begin(), events_.end(), [](const QJsonObject& event) { return event.isEmpty(); }), 0);
}

// The Bluetooth daemon stalls (it sleeps 8 s in each write request, and answers nothing
// else meanwhile) under a timed plan: the link is given up and asked for again, and the app
// never waits for the daemon. Script lines are answered at once, each shot is taken or
// counted missed at its planned time, never late, and SIGTERM ends the app as promptly.
TEST_F(KiroRemoteBluetoothTest, AStalledBluetoothDaemonHoldsUpNeitherTheScriptNorTheShotsNorTheEnding) {
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  fake_->call("SetWriteDelay", {8.0});  // seconds; nothing may call the fake from here on
  const std::size_t mark = events_.size();
  // Shots at 1, 3, 5 and 7 s, each a 1 s bulb: the first one's write stalls the daemon.
  send("timer interval 2s 4 --bulb 1s --delay 1s\n");
  const auto timers = [&] { return since(mark, QStringLiteral("timer")); };
  const auto counted = [](const QJsonObject& timer) { return timer.value(QStringLiteral("shot")).toInt(); };
  ASSERT_TRUE(runUntil([&] { return !timers().empty(); })) << transcript();
  slowestState_ = 0;
  const QJsonObject planned = timers().front();
  ASSERT_EQ(planned.value(QStringLiteral("state")).toString(), QStringLiteral("planned")) << transcript();
  const int first = planned.value(QStringLiteral("t")).toInt() + planned.value(QStringLiteral("next")).toInt();
  ASSERT_TRUE(spinUntil(
      [&] {
        feed();
        return !timers().empty() && counted(timers().back()) == 4;
      },
      12s))
      << transcript();
  EXPECT_LT(slowestState_, 100) << "a state line waited for the daemon\n" << transcript();
  // When each shot was taken or counted missed, against when it was due.
  for (int shot = 1; shot <= 4; ++shot) {
    const auto all = timers();
    const auto taken = std::find_if(all.begin(), all.end(), [&](const QJsonObject& timer) { return counted(timer) == shot; });
    ASSERT_NE(taken, all.end());
    const int due = first + (shot - 1) * 2000;
    const int at = taken->value(QStringLiteral("t")).toInt();
    EXPECT_GE(at, due - 2) << "shot " << shot;  // each figure is rounded to the millisecond
    EXPECT_LT(at, due + 100) << "shot " << shot << " came late\n" << transcript();
  }
  // The first shot's bulb, held while its link was given up, was let go on time.
  const auto all = timers();
  const auto firstShot = std::find_if(all.begin(), all.end(), [&](const QJsonObject& timer) { return counted(timer) == 1; });
  ASSERT_TRUE(firstShot != all.end() && firstShot + 1 != all.end());
  const int letGo = (firstShot + 1)->value(QStringLiteral("t")).toInt();
  EXPECT_GE(letGo, first + 998);
  EXPECT_LT(letGo, first + 1100) << "the bulb was held too long\n" << transcript();
  // The first shot's link was given up while the daemon slept: the later ones were missed.
  EXPECT_EQ(timers().back().value(QStringLiteral("missed")).toInt(), 3) << transcript();
  EXPECT_TRUE(values(mark, QStringLiteral("label"), QStringLiteral("text")).contains(QStringLiteral("disconnected")));

  // Still within the daemon's sleep.
  QElapsedTimer ending;
  ending.start();
  ::kill(static_cast<pid_t>(app_.processId()), SIGTERM);
  ASSERT_TRUE(app_.waitForFinished(5000)) << transcript();
  EXPECT_LT(ending.elapsed(), 1500);
}

// A signal, or a reader that closes standard output, with R held: the app ends as quitting
// does, the release notice reaching the receiver, the settings and the store kept.
class KiroRemoteEndingTest : public KiroRemoteBluetoothTest, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(KiroRemoteEndingTest, WithTheShutterHeldTheAppLetsItGoAndEndsCleanly) {
  const auto [signal, window] = GetParam();
  ASSERT_NO_FATAL_FAILURE(launch(window, signal == SIGPIPE));
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  ASSERT_NO_FATAL_FAILURE(holdShutter());
  QElapsedTimer ending;
  ending.start();
  if (signal == SIGPIPE) {
    relay_.kill();
  } else {
    ::kill(static_cast<pid_t>(app_.processId()), signal);
  }
  ASSERT_TRUE(app_.waitForFinished(5000)) << transcript();
  EXPECT_LT(ending.elapsed(), 1500);
  EXPECT_FALSE(arrivals(0x40).empty()) << transcript();
  EXPECT_TRUE(QFile::exists(folder_.filePath(QStringLiteral("Tavrel.sqlite"))));
  EXPECT_TRUE(QSettings(folder_.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat).contains("iphone"));
}

INSTANTIATE_TEST_SUITE_P(Each, KiroRemoteEndingTest,
                         ::testing::Values(std::tuple{SIGTERM, false}, std::tuple{SIGINT, false},
                                           std::tuple{SIGHUP, false}, std::tuple{SIGPIPE, false},
                                           std::tuple{SIGQUIT, false}, std::tuple{SIGUSR1, false},
                                           std::tuple{SIGRTMIN + 3, false}, std::tuple{SIGTERM, true},
                                           std::tuple{SIGINT, true}, std::tuple{SIGHUP, true},
                                           std::tuple{SIGALRM, true}));

// A script that ends with R held (quit, its input's end, a bad line) ends as a signal does:
// the receiver's last frames are the release notice, never a held shutter.
class KiroRemoteScriptEndTest : public KiroRemoteBluetoothTest, public ::testing::WithParamInterface<std::tuple<std::string, int>> {};

TEST_P(KiroRemoteScriptEndTest, AScriptThatEndsWithTheShutterHeldLetsItGoFirst) {
  const auto [last, status] = GetParam();
  ASSERT_NO_FATAL_FAILURE(launch());
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  ASSERT_NO_FATAL_FAILURE(holdShutter());
  if (!last.empty()) app_.write(last.c_str());
  app_.closeWriteChannel();
  ASSERT_TRUE(app_.waitForFinished(5000)) << transcript();
  started_ = false;
  EXPECT_EQ(app_.exitCode(), status) << transcript();
  const auto writes = fake_->writes(kKiro);
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back().bytes, QByteArray(1, 0x40)) << transcript();
}

std::string scriptEndName(const ::testing::TestParamInfo<KiroRemoteScriptEndTest::ParamType>& info) {
  static const char* const names[] = {"Quit", "InputEnd", "BadLine"};
  return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Each, KiroRemoteScriptEndTest,
                         ::testing::Values(std::tuple{std::string("quit\n"), 0}, std::tuple{std::string(), 0},
                                           std::tuple{std::string("frobnicate\n"), 2}),
                         scriptEndName);

}  // namespace
}  // namespace kiro
