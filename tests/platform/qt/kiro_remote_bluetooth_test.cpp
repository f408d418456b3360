#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, as the fake stamps arrivals

const QString kKiro = QStringLiteral("AA:BB:CC:DD:EE:01");
const QString kOther = QStringLiteral("AA:BB:CC:DD:EE:02");
const QString kSecondKiro = QStringLiteral("AA:BB:CC:DD:EE:03");
const QString kCommand = QStringLiteral("0000ffb2-0000-1000-8000-00805f9b34fb");

struct Event {
  QJsonObject json;
  Clock::time_point seen;
};

// kiro-remote --headless --bluetooth on a private system bus with the fake bluetoothd,
// its script written to standard input as the test goes.
class KiroRemoteBluetoothTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_ = std::make_unique<FakeBluez>();
    ASSERT_TRUE(fake_->failure().isEmpty()) << fake_->failure().toStdString();
    // Found first: listed by mistake, it would be row 0.
    fake_->addDevice(kOther, QStringLiteral("Headphones"));
    fake_->addDevice(kKiro, QStringLiteral("Kiro-7"));
    ASSERT_TRUE(folder_.isValid());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), fake_->address());
    environment.insert(QStringLiteral("BLUETOOTH_FORCE_DBUS_LE_VERSION"), QStringLiteral("5.66"));
    app_.setProcessEnvironment(environment);
    app_.setChildProcessModifier(dieWithParent);
    QObject::connect(&app_, &QProcess::readyReadStandardOutput, [this] { readEvents(); });
    QObject::connect(&app_, &QProcess::readyReadStandardError, [this] { errors_ += app_.readAllStandardError(); });
    app_.start(QStringLiteral(KIRO_REMOTE_PATH),
               {QStringLiteral("--headless"), QStringLiteral("--bluetooth"), QStringLiteral("--settings"),
                folder_.filePath(QStringLiteral("settings.ini")), QStringLiteral("--documents"), folder_.path()});
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
    fake_.reset();
  }

  void readEvents() {
    output_ += app_.readAllStandardOutput();
    for (qsizetype end = output_.indexOf('\n'); end >= 0; end = output_.indexOf('\n')) {
      const QJsonObject json = QJsonDocument::fromJson(output_.left(end)).object();
      output_.remove(0, end + 1);
      if (json.value(QStringLiteral("event")) == QStringLiteral("state")) ++statesRead_;
      events_.push_back({json, Clock::now()});
    }
  }

  // The app reads its script only between waits, so a short wait always stays queued behind
  // what the test sends; the "state" line before it says when that wait was reached.
  void send(const QByteArray& commands) { pending_ += commands; }

  void feed() {
    if (statesRead_ < statesSent_ || app_.state() != QProcess::Running) return;
    app_.write(pending_ + "state\nwait 25\n");
    pending_.clear();
    ++statesSent_;
  }

  bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s) {
    return spinUntil([&] {
      feed();
      return done();
    }, timeout);
  }

  void runFor(std::chrono::milliseconds duration) { runUntil([] { return false; }, duration); }

  std::vector<QJsonObject> since(std::size_t mark, const QString& name) const {
    std::vector<QJsonObject> found;
    for (std::size_t i = mark; i < events_.size(); ++i) {
      if (events_[i].json.value(QStringLiteral("event")) == name) found.push_back(events_[i].json);
    }
    return found;
  }

  // The remote screen's status label as it changed since mark, oldest first.
  QStringList labels(std::size_t mark) const {
    QStringList texts;
    for (const auto& label : since(mark, QStringLiteral("label"))) texts << label.value(QStringLiteral("text")).toString();
    return texts;
  }

  // Whether the label read first, then later, since mark.
  bool labelWent(std::size_t mark, const QString& first, const QString& later) const {
    const QStringList texts = labels(mark);
    const qsizetype at = texts.indexOf(first);
    return at >= 0 && texts.indexOf(later, at + 1) > at;
  }

  QJsonObject lastState() const {
    const auto states = since(0, QStringLiteral("state"));
    return states.empty() ? QJsonObject() : states.back();
  }

  QJsonArray devices() const { return lastState().value(QStringLiteral("devices")).toArray(); }

  QString status() const { return devices().at(0).toObject().value(QStringLiteral("status")).toString(); }

  bool inFront(const QString& screen) const {
    return lastState().value(QStringLiteral("stack")).toArray().last().toString() == screen;
  }

  // Opens the list, checks only the receiver is listed, picks it and goes back once it connected.
  void connectKiro() {
    send("tap search\n");
    ASSERT_TRUE(runUntil([&] { return !devices().isEmpty(); })) << transcript();
    ASSERT_EQ(devices().size(), 1) << transcript();
    EXPECT_EQ(devices().at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Kiro-7"));
    send("select 0\n");
    ASSERT_TRUE(runUntil([&] { return status() == QStringLiteral("connected"); })) << transcript();
    send("tap back\n");
    ASSERT_TRUE(runUntil([&] { return inFront(QStringLiteral("remote")); })) << transcript();
  }

  // True once the receiver's link is subscribed again and took the value.
  bool notifyKiro(char value) { return fake_->notify(kKiro, kCommand, QByteArray(1, value)); }

  bool greenLit(std::size_t mark) const {
    for (const auto& lamp : since(mark, QStringLiteral("lamp"))) {
      if (lamp.value(QStringLiteral("lamp")) == QStringLiteral("green") && lamp.value(QStringLiteral("lit")).toBool())
        return true;
    }
    return false;
  }

  std::string transcript() const {
    std::string text = "app stderr:\n" + errors_.toStdString() + "last events:\n";
    const std::size_t from = events_.size() > 12 ? events_.size() - 12 : 0;
    for (std::size_t i = from; i < events_.size(); ++i)
      text += QJsonDocument(events_[i].json).toJson(QJsonDocument::Compact).toStdString() + '\n';
    return text;
  }

  std::unique_ptr<FakeBluez> fake_;
  QTemporaryDir folder_;
  QProcess app_;
  bool started_ = false;
  QByteArray output_;
  QByteArray errors_;
  QByteArray pending_;
  int statesSent_ = 0;
  int statesRead_ = 0;
  std::vector<Event> events_;
};

TEST_F(KiroRemoteBluetoothTest, APickedReceiverGetsTheFocusCommandAndItsFeedbackLightsTheLamp) {
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const QString id = devices().at(0).toObject().value(QStringLiteral("id")).toString();
  const std::size_t mark = events_.size();
  send("press F\n");
  ASSERT_TRUE(runUntil([&] { return since(mark, QStringLiteral("write")).size() >= 3; })) << transcript();
  send("press F\n");
  for (const auto& write : since(mark, QStringLiteral("write"))) {
    EXPECT_EQ(write.value(QStringLiteral("receiver")).toString(), id);
    EXPECT_EQ(write.value(QStringLiteral("bytes")).toString(), QStringLiteral("10"));
    EXPECT_EQ(write.value(QStringLiteral("withResponse")), QJsonValue(true));
  }
  ASSERT_TRUE(runUntil([&] { return !fake_->writes(kKiro).empty(); })) << transcript();
  EXPECT_EQ(fake_->writes(kKiro).front().bytes, QByteArray("\x10"));
  EXPECT_EQ(fake_->writes(kKiro).front().type, QStringLiteral("request"));

  ASSERT_TRUE(runUntil([&] { return notifyKiro(0x01); })) << transcript();
  EXPECT_TRUE(runUntil([&] { return greenLit(mark); })) << transcript();
}

TEST_F(KiroRemoteBluetoothTest, ALostLinkIsConnectedAgainByItself) {
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const std::size_t mark = events_.size();
  fake_->dropLink(kKiro);
  ASSERT_TRUE(runUntil([&] { return labelWent(mark, QStringLiteral("disconnected"), QStringLiteral("connected")); }))
      << transcript();
  // The new link is subscribed again: feedback reaches the lamps.
  ASSERT_TRUE(runUntil([&] { return notifyKiro(0x01); })) << transcript();
  EXPECT_TRUE(runUntil([&] { return greenLit(mark); })) << transcript();
  // The receiver's own events tell the same story as the label.
  QStringList states;
  for (const auto& receiver : since(mark, QStringLiteral("receiver")))
    if (receiver.value(QStringLiteral("name")) == QStringLiteral("Kiro-7")) states << receiver.value(QStringLiteral("state")).toString();
  const qsizetype dropped = states.indexOf(QStringLiteral("disconnected"));
  EXPECT_TRUE(dropped >= 0 && states.indexOf(QStringLiteral("connected"), dropped + 1) > dropped) << transcript();
}

TEST_F(KiroRemoteBluetoothTest, AFailedConnectIsRetriedOnTheRemoteScreenUntilTheReceiverAnswers) {
  fake_->setConnectResponse(kKiro, QStringLiteral("fail"));
  send("tap search\n");
  ASSERT_TRUE(runUntil([&] { return !devices().isEmpty(); })) << transcript();
  send("select 0\n");
  ASSERT_TRUE(runUntil([&] { return status() == QStringLiteral("connecting"); })) << transcript();
  ASSERT_TRUE(runUntil([&] { return status() == QStringLiteral("disconnected"); })) << transcript();

  const std::size_t mark = events_.size();
  send("tap back\n");
  ASSERT_TRUE(runUntil([&] { return labels(mark).count(QStringLiteral("connecting")) >= 2; })) << transcript();
  EXPECT_FALSE(labels(mark).contains(QStringLiteral("connected")));
  fake_->setConnectResponse(kKiro, QStringLiteral("succeed"));
  EXPECT_TRUE(runUntil([&] { return labels(mark).contains(QStringLiteral("connected")); })) << transcript();
}

TEST_F(KiroRemoteBluetoothTest, PowerOffEndsTheLinkAndPowerOnRestoresItWhileOnlyARefreshScansAgain) {
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  const std::size_t mark = events_.size();
  fake_->setPowered(false);
  ASSERT_TRUE(runUntil([&] { return labels(mark).contains(QStringLiteral("disconnected")); })) << transcript();
  fake_->addDevice(kSecondKiro, QStringLiteral("KIRO 12"));
  // Long enough for a reconnection attempt, which the radio refuses.
  runFor(1500ms);
  EXPECT_FALSE(labels(mark).contains(QStringLiteral("connected"))) << transcript();
  fake_->setPowered(true);
  ASSERT_TRUE(runUntil([&] { return labelWent(mark, QStringLiteral("disconnected"), QStringLiteral("connected")); }))
      << transcript();

  send("tap search\n");
  ASSERT_TRUE(runUntil([&] { return inFront(QStringLiteral("devices")); })) << transcript();
  EXPECT_EQ(devices().size(), 1) << "the scan went on after the power came back\n" << transcript();
  send("tap refresh\n");
  EXPECT_TRUE(runUntil([&] { return devices().size() == 2; })) << transcript();
}

TEST_F(KiroRemoteBluetoothTest, ASlowReceiverGetsRecentFramesWithoutABacklog) {
  ASSERT_NO_FATAL_FAILURE(connectKiro());
  fake_->setWriteDelay(60ms);
  const std::size_t mark = events_.size();
  // About 60 frames at 25 ms against 60 ms a write.
  send("press F\n");
  runFor(1500ms);
  send("press F\n");
  ASSERT_TRUE(runUntil([&] {
    const auto handed = since(mark, QStringLiteral("write")).size();
    return handed > 0 && fake_->writes(kKiro).size() == handed;
  })) << transcript();
  runFor(300ms);

  std::vector<Clock::time_point> handedAt;
  for (std::size_t i = mark; i < events_.size(); ++i) {
    if (events_[i].json.value(QStringLiteral("event")) == QStringLiteral("write")) handedAt.push_back(events_[i].seen);
  }
  const auto writes = fake_->writes(kKiro);
  ASSERT_EQ(writes.size(), handedAt.size()) << "a write was reported but never arrived, or arrived unreported";
  EXPECT_GE(writes.size(), 5u);
  EXPECT_LT(writes.size(), 45u) << "frames replaced while a write was in flight still went out";
  double longestWait = 0;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const double handed = std::chrono::duration<double>(handedAt[i].time_since_epoch()).count();
    longestWait = std::max(longestWait, writes[i].arrival - handed);
  }
  EXPECT_LT(longestWait, 0.5) << "writes waited behind a backlog";
}

}  // namespace
}  // namespace kiro
