#include "platform/qt/bluetooth/qt_central.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"
#include "tests/platform/qt/fake_bluez.h"
#include "tests/platform/sim/central_contract.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// One fake bluetoothd for the whole process: Qt binds to the system bus once.
FakeBluez* fakeBluez = nullptr;

FakeBluez& fake() {
  if (fakeBluez == nullptr) {
    fakeBluez = new FakeBluez;
    qAddPostRoutine([] { delete std::exchange(fakeBluez, nullptr); });
  }
  return *fakeBluez;
}

// The Qt central against the fake bluetoothd, with its time limits shortened.
class QtHarness final : public CentralHarness {
 public:
  QtHarness() {
    EXPECT_TRUE(fake().failure().isEmpty()) << fake().failure().toStdString();
    fake().call("Restore");
    QtCentralOptions options;
    options.link.attemptLimit = 1000ms;
    options.link.failureFloor = 200ms;
    options.scanRetry = 100ms;
    options.onWrite = [this](const Peripheral&, const Bytes& value, WriteType) { handedOver.push_back(value); };
    options.onWriteFailed = [this](const Peripheral&, const Bytes& value, const std::string&) {
      failed.push_back(value);
    };
    central_ = std::make_unique<QtCentral>(recorder, options);
  }
  ~QtHarness() override {
    central_.reset();
    EXPECT_TRUE(fake().failure().isEmpty()) << fake().failure().toStdString();
  }

  Central& central() override { return *central_; }
  void addReceiver(const std::string& name) override {
    addresses_[name] = QStringLiteral("AA:BB:CC:DD:EE:%1").arg(addresses_.size() + 1, 2, 10, QLatin1Char('0'));
    fake().call("AddDevice", {addresses_[name], QString::fromStdString(name)});
  }
  void advertiseAgain(const std::string& name) override { fake().call("Advertise", {addresses_.at(name)}); }
  void respondToConnect(const std::string& name, SimConnectionResponse response) override {
    const char* answers[] = {"succeed", "fail", "hang"};
    fake().call("SetConnectResponse", {addresses_.at(name), QString::fromLatin1(answers[static_cast<int>(response)])});
  }
  void dropLink(const std::string& name) override { fake().call("DropLink", {addresses_.at(name)}); }
  void notify(const std::string& name, const Bytes& bytes) override {
    const QString ffb2 = QStringLiteral("0000ffb2-0000-1000-8000-00805f9b34fb");
    fake().call("Notify", {addresses_.at(name), ffb2, toQByteArray(bytes)});
  }
  void setPowered(bool on) override { fake().call("SetPowered", {on}); }
  std::vector<ReceivedWrite> writes(const std::string& name) override {
    std::vector<ReceivedWrite> writes;
    for (const auto& write : fake().writes(addresses_.at(name))) {
      const bool request = write.type == QStringLiteral("request");
      writes.push_back({toBytes(write.bytes), request ? WriteType::withResponse : WriteType::withoutResponse});
    }
    return writes;
  }
  bool runUntil(const std::function<bool()>& done) override { return spinUntil(done); }
  void settle() override { spinFor(300ms); }

  const QString& address(const std::string& name) const { return addresses_.at(name); }

  std::vector<Bytes> handedOver;  // accepted
  std::vector<Bytes> failed;

 private:
  std::map<std::string, QString> addresses_;
  std::unique_ptr<QtCentral> central_;
};

const CentralBackend qt{"Qt", [] { return std::unique_ptr<CentralHarness>(new QtHarness); }};
INSTANTIATE_TEST_SUITE_P(Qt, CentralContract, ::testing::Values(qt));

// What only the Qt central has: a floor under failures, and writes that wait for a slow receiver.
class QtOnly : public CentralContract {
 protected:
  QtHarness& qt = static_cast<QtHarness&>(*harness);
};
INSTANTIATE_TEST_SUITE_P(Qt, QtOnly, ::testing::Values(qt));

// A receiver met yesterday is still in bluetoothd's list: it is not offered until heard.
TEST_P(QtOnly, ADeviceBluetoothdRemembersIsReportedOnlyOnceItIsHeard) {
  fake().call("RememberDevice", {QStringLiteral("AA:BB:CC:DD:EE:90"), QStringLiteral("Kiro-9")});
  central.scanForPeripherals(false);
  harness->settle();
  EXPECT_FALSE(recorder.saw("discover Kiro-9"));
  fake().call("Advertise", {QStringLiteral("AA:BB:CC:DD:EE:90")});
  until("discover Kiro-9");
}

TEST_P(QtOnly, AFailureIsReportedNoSoonerThanTheFloorSoThatReconnectingCannotSpin) {
  harness->addReceiver("Kiro-1");
  auto kiro = find("Kiro-1");
  harness->respondToConnect("Kiro-1", SimConnectionResponse::fail);
  central.connectPeripheral(*kiro, true);
  spinFor(100ms);
  EXPECT_EQ(kiro->state(), PeripheralState::connecting);
  EXPECT_EQ(until("fail Kiro-1 error"), std::vector<std::string>{"fail Kiro-1 error"});
}

// The app's write events are these acceptances: a replaced frame never goes out and has none.
TEST_P(QtOnly, WritesAreAcceptedAsTheyAreAnsweredAndOneWaitingForASlowReceiverIsReplacedByTheNewest) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  fake().call("SetWriteDelay", {0.2});  // seconds
  for (std::uint8_t frame : {0x01, 0x02, 0x03}) kiro->writeValue({frame}, *ffb2, WriteType::withResponse);
  kiro->writeValue({0x04}, *ffb2, WriteType::withoutResponse);
  EXPECT_TRUE(harness->runUntil([&] { return recorder.events.size() == 2; }));
  harness->settle();
  EXPECT_EQ(recorder.take(), (std::vector<std::string>{"written FFB2", "written FFB2"}));
  // Without response a write counts as taken when Qt takes it, with response when answered.
  EXPECT_EQ(qt.handedOver, (std::vector<Bytes>{{0x04}, {0x01}, {0x03}}));
  EXPECT_EQ(harness->writes("Kiro-1"), (std::vector<ReceivedWrite>{{{0x01}, WriteType::withResponse},
                                                                    {{0x04}, WriteType::withoutResponse},
                                                                    {{0x03}, WriteType::withResponse}}));
}

// Every write after an unanswered one would queue behind it in Qt and the daemon and reach
// the receiver late: it is given up with its link, and nothing after it goes out.
TEST_P(QtOnly, AWriteNeverAnsweredIsGivenUpWithItsLinkAndNothingAfterItGoesOut) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  fake().call("SetWriteResponse", {qt.address("Kiro-1"), QStringLiteral("stall")});
  kiro->writeValue({0x01}, *ffb2, WriteType::withResponse);
  kiro->writeValue({0x02}, *ffb2, WriteType::withResponse);
  EXPECT_EQ(until("disconnect Kiro-1 error"),
            (std::vector<std::string>{"written FFB2 error", "disconnect Kiro-1 error"}));
  harness->settle();
  EXPECT_EQ(qt.failed, std::vector<Bytes>{{0x01}});
  EXPECT_TRUE(qt.handedOver.empty());
  EXPECT_EQ(harness->writes("Kiro-1"), (std::vector<ReceivedWrite>{{{0x01}, WriteType::withResponse}}));
}

// A bluetoothd that stalls (here asleep in a write, answering nothing else meanwhile) holds
// up its answers, never the central's thread: a link given up, a scan started, a link asked
// for again and another receiver connected all return at once, and the event loop goes on.
TEST_P(QtOnly, AStalledDaemonHoldsUpItsAnswersButNeverTheEventLoop) {
  harness->addReceiver("Kiro-1");
  harness->addReceiver("Kiro-2");
  auto other = find("Kiro-2");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  fake().call("SetWriteDelay", {3.0});  // seconds; nothing may call the fake from here on
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0, longest = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  });
  ticker.start(5);

  kiro->writeValue({0x01}, *ffb2, WriteType::withResponse);
  until("disconnect Kiro-1 error");
  central.scanForPeripherals(false);
  until("discover Kiro-2");
  central.stopScan();
  central.connectPeripheral(*kiro, true);
  central.connectPeripheral(*other, true);
  EXPECT_EQ(kiro->state(), PeripheralState::connecting);
  // Given up at the attempt limit (1 s here), as a receiver out of range would be.
  EXPECT_TRUE(harness->runUntil([&] { return recorder.saw("fail Kiro-1 error") && recorder.saw("fail Kiro-2 error"); }));
  EXPECT_LT(clock.elapsed(), 2500) << "all of it while the daemon sleeps";
  EXPECT_LT(longest, 100) << "the event loop was held up";
  // Once it woke, both connect.
  harness->runUntil([&] { return clock.elapsed() > 3300; });
  recorder.take();
  central.connectPeripheral(*kiro, true);
  central.connectPeripheral(*other, true);
  EXPECT_TRUE(harness->runUntil([&] { return recorder.saw("connect Kiro-1") && recorder.saw("connect Kiro-2"); }));
  kiro->discoverServices();
  until("services");
}

}  // namespace
}  // namespace kiro
