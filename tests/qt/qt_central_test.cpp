#include "platform/qt/qt_central.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "platform/qt/address_uuid.h"
#include "qt/central_recorder.h"
#include "qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

const QString kKiro = QStringLiteral("AA:BB:CC:DD:EE:01");
const QString kOther = QStringLiteral("AA:BB:CC:DD:EE:02");
const QString kCommand = QStringLiteral("0000ffb2-0000-1000-8000-00805f9b34fb");
const BleUuid kCommandUuid = BleUuid::from16(0xFFB2);

// The real adapter against a fake bluetoothd on a private system bus.
class QtCentralTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fake_ = new FakeBluez; }
  static void TearDownTestSuite() {
    delete fake_;
    fake_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(fake_->failure().isEmpty()) << fake_->failure().toStdString();
    fake_->restore();
    fake_->addDevice(kKiro, QStringLiteral("Kiro-7"));
    fake_->addDevice(kOther, QString());
  }

  void TearDown() override {
    central_.reset();
    EXPECT_TRUE(fake_->failure().isEmpty()) << fake_->failure().toStdString();
  }

  void makeCentral() {
    QtCentralOptions options;
    options.link.attemptLimit = 1000ms;
    options.link.failureFloor = 300ms;
    central_ = std::make_unique<QtCentral>(recorder_, options);
    ASSERT_TRUE(spinUntil([&] { return !recorder_.states.empty(); }));
    ASSERT_EQ(central_->state(), CentralState::poweredOn);
  }

  // Starts a scan and waits until it reports the device.
  std::shared_ptr<Peripheral> discover(const QString& address) {
    central_->scanForPeripherals(false);
    return awaitDiscovery(address);
  }

  std::shared_ptr<Peripheral> awaitDiscovery(const QString& address) {
    const Uuid id = addressUuid(address);
    spinUntil([&] { return recorder_.discoveriesOf(id) > 0; });
    for (const auto& d : recorder_.discoveries) {
      if (d.peripheral->identifier() == id) return d.peripheral;
    }
    ADD_FAILURE() << "not discovered: " << address.toStdString();
    return nullptr;
  }

  // Scans, connects to the receiver and waits until both its characteristics notify.
  std::shared_ptr<Peripheral> connectKiro() {
    auto kiro = discover(kKiro);
    if (!kiro) return nullptr;
    const int subscribed = recorder_.subscriptions;
    central_->connectPeripheral(*kiro, true);
    EXPECT_TRUE(spinUntil([&] { return recorder_.subscriptions == subscribed + 2; }));
    return kiro;
  }

  Characteristic* command(Peripheral& peripheral) {
    for (const auto& service : peripheral.services()) {
      for (const auto& characteristic : service->characteristics) {
        if (characteristic->uuid == kCommandUuid) return characteristic.get();
      }
    }
    return nullptr;
  }

  static FakeBluez* fake_;
  CentralRecorder recorder_;
  std::unique_ptr<QtCentral> central_;
};

FakeBluez* QtCentralTest::fake_ = nullptr;

TEST_F(QtCentralTest, ScanReportsEachDeviceOncePerScanWithItsAdvertisedName) {
  makeCentral();
  auto kiro = discover(kKiro);
  auto other = awaitDiscovery(kOther);
  ASSERT_TRUE(kiro && other);
  spinFor(200ms);
  EXPECT_EQ(recorder_.discoveriesOf(kiro->identifier()), 1);
  EXPECT_EQ(kiro->identifier(), addressUuid(kKiro));
  for (const auto& d : recorder_.discoveries) {
    if (d.peripheral == kiro) {
      EXPECT_EQ(d.advertisement.at(kAdvertisementLocalName), "Kiro-7");
    }
    if (d.peripheral == other) {
      EXPECT_EQ(d.advertisement.count(kAdvertisementLocalName), 0u);
    }
  }
  EXPECT_EQ(other->name(), std::nullopt);

  // A new scan reports it again, as the same object.
  recorder_.discoveries.clear();
  ASSERT_EQ(discover(kKiro), kiro);
}

TEST_F(QtCentralTest, ConnectsDiscoversSubscribesWritesAndReceivesNotifications) {
  makeCentral();
  auto kiro = discover(kKiro);
  ASSERT_TRUE(kiro);
  central_->connectPeripheral(*kiro, true);
  EXPECT_EQ(kiro->state(), PeripheralState::connecting);
  ASSERT_TRUE(spinUntil([&] { return recorder_.subscriptions == 2; }));
  EXPECT_EQ(kiro->state(), PeripheralState::connected);
  ASSERT_EQ(kiro->services().size(), 1u);
  EXPECT_EQ(kiro->services()[0]->uuid, BleUuid::from16(0xFFB0));
  Characteristic* ffb2 = command(*kiro);
  ASSERT_NE(ffb2, nullptr);
  EXPECT_EQ(ffb2->properties & (property::write | property::writeWithoutResponse | property::notify),
            property::write | property::writeWithoutResponse | property::notify);

  kiro->writeValue({0x10}, *ffb2, WriteType::withResponse);
  ASSERT_TRUE(spinUntil([&] { return recorder_.writeAnswers.size() == 1; }));
  EXPECT_EQ(recorder_.writeAnswers[0], std::nullopt);
  kiro->writeValue({0x20}, *ffb2, WriteType::withoutResponse);
  ASSERT_TRUE(spinUntil([&] { return fake_->writes(kKiro).size() == 2; }));
  const auto writes = fake_->writes(kKiro);
  EXPECT_EQ(writes[0].bytes, QByteArray("\x10"));
  EXPECT_EQ(writes[0].type, "request");
  EXPECT_EQ(writes[1].bytes, QByteArray(" "));
  EXPECT_EQ(writes[1].type, "command");

  // Back-to-back notifications each reach the delegate with their own value.
  ASSERT_TRUE(fake_->notify(kKiro, kCommand, QByteArray("\x01")));
  ASSERT_TRUE(fake_->notify(kKiro, kCommand, QByteArray("\x08")));
  ASSERT_TRUE(spinUntil([&] { return recorder_.values.size() == 2; }));
  EXPECT_EQ(recorder_.values[0].characteristic, kCommandUuid);
  EXPECT_EQ(recorder_.values[0].bytes, Bytes{0x01});
  EXPECT_EQ(recorder_.values[1].bytes, Bytes{0x08});
}

TEST_F(QtCentralTest, ALostLinkIsADisconnectAndTheNextConnectionMakesNewServices) {
  makeCentral();
  auto kiro = connectKiro();
  ASSERT_TRUE(kiro);
  const Service* before = kiro->services().at(0).get();

  fake_->dropLink(kKiro);
  ASSERT_TRUE(spinUntil([&] { return recorder_.disconnected.size() == 1; }));
  EXPECT_EQ(recorder_.disconnected[0], kiro.get());
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);
  EXPECT_TRUE(kiro->services().empty());

  central_->connectPeripheral(*kiro, true);
  ASSERT_TRUE(spinUntil([&] { return recorder_.subscriptions == 4; }));
  ASSERT_EQ(kiro->services().size(), 1u);
  EXPECT_NE(kiro->services()[0].get(), before);
  ASSERT_TRUE(fake_->notify(kKiro, kCommand, QByteArray("\x01")));
  EXPECT_TRUE(spinUntil([&] { return recorder_.values.size() == 1; }));
}

TEST_F(QtCentralTest, CancelIsFollowedByADisconnectWhetherConnectedOrStillConnecting) {
  makeCentral();
  auto kiro = connectKiro();
  ASSERT_TRUE(kiro);
  central_->cancelPeripheralConnection(*kiro);
  EXPECT_EQ(kiro->state(), PeripheralState::disconnecting);
  ASSERT_TRUE(spinUntil([&] { return recorder_.disconnected.size() == 1; }));
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);

  fake_->setConnectResponse(kKiro, QStringLiteral("hang"));
  central_->connectPeripheral(*kiro, true);
  spinFor(100ms);
  central_->cancelPeripheralConnection(*kiro);
  ASSERT_TRUE(spinUntil([&] { return recorder_.disconnected.size() == 2; }));
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);
  EXPECT_TRUE(recorder_.failed.empty());
}

TEST_F(QtCentralTest, FailedAndHangingConnectsAreReportedAsFailures) {
  makeCentral();
  auto kiro = discover(kKiro);
  ASSERT_TRUE(kiro);

  fake_->setConnectResponse(kKiro, QStringLiteral("fail"));
  QElapsedTimer clock;
  clock.start();
  central_->connectPeripheral(*kiro, true);
  ASSERT_TRUE(spinUntil([&] { return recorder_.failed.size() == 1; }));
  // No sooner than the floor, so reconnecting at once cannot spin.
  EXPECT_GE(clock.elapsed(), 300);
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);
  EXPECT_TRUE(recorder_.failures[0].has_value());

  fake_->setConnectResponse(kKiro, QStringLiteral("hang"));
  central_->connectPeripheral(*kiro, true);
  spinFor(500ms);
  EXPECT_EQ(kiro->state(), PeripheralState::connecting);
  ASSERT_TRUE(spinUntil([&] { return recorder_.failed.size() == 2; }));
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);
  EXPECT_TRUE(recorder_.connected.empty());
  EXPECT_TRUE(recorder_.disconnected.empty());
}

TEST_F(QtCentralTest, RadioPowerReachesTheStateCallbackAndOffDropsTheLink) {
  makeCentral();
  auto kiro = connectKiro();
  ASSERT_TRUE(kiro);

  fake_->setPowered(false);
  ASSERT_TRUE(spinUntil([&] { return recorder_.states.back() == CentralState::poweredOff; }));
  ASSERT_TRUE(spinUntil([&] { return recorder_.disconnected.size() == 1; }));
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);

  fake_->setPowered(true);
  ASSERT_TRUE(spinUntil([&] { return recorder_.states.back() == CentralState::poweredOn; }));
  EXPECT_EQ(central_->state(), CentralState::poweredOn);
}

TEST_F(QtCentralTest, WithoutAnAdapterTheCentralIsPoweredOffAndHarmless) {
  fake_->setAdapterPresent(false);
  central_ = std::make_unique<QtCentral>(recorder_);
  ASSERT_TRUE(spinUntil([&] { return !recorder_.states.empty(); }));
  EXPECT_EQ(recorder_.states.back(), CentralState::poweredOff);
  central_->scanForPeripherals(false);
  central_->stopScan();
  spinFor(100ms);
  EXPECT_TRUE(recorder_.discoveries.empty());
}

TEST_F(QtCentralTest, SlowWritesWithResponseNeverPileUpAndTheLatestFrameWins) {
  makeCentral();
  auto kiro = connectKiro();
  ASSERT_TRUE(kiro);
  Characteristic* ffb2 = command(*kiro);
  ASSERT_NE(ffb2, nullptr);
  fake_->setWriteDelay(60ms);

  // 40 frames every 25 ms against a peer that takes 60 ms a write.
  std::uint8_t frame = 0;
  int mostPending = 0;
  QTimer pump;
  QObject::connect(&pump, &QTimer::timeout, [&] {
    kiro->writeValue({++frame}, *ffb2, WriteType::withResponse);
    mostPending = std::max(mostPending, central_->pendingWrites());
    if (frame == 40) pump.stop();
  });
  pump.start(25);
  ASSERT_TRUE(spinUntil([&] { return frame == 40; }));
  QElapsedTimer sinceLast;
  sinceLast.start();

  // Without coalescing a backlog of some 25 writes would take 1.5 s to drain.
  ASSERT_TRUE(spinUntil([&] {
    const auto writes = fake_->writes(kKiro);
    return !writes.empty() && writes.back().bytes == QByteArray(1, char(40));
  }, 2s));
  EXPECT_LT(sinceLast.elapsed(), 700);
  EXPECT_LE(mostPending, 2);
  const auto writes = fake_->writes(kKiro);
  EXPECT_LT(writes.size(), 30u);
  for (std::size_t i = 1; i < writes.size(); ++i) {
    EXPECT_LT(std::uint8_t(writes[i - 1].bytes[0]), std::uint8_t(writes[i].bytes[0])) << "an older frame came later";
  }
}

}  // namespace
}  // namespace kiro
