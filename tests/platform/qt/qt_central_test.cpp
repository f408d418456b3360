#include "platform/qt/qt_central.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/qt/address_uuid.h"
#include "tests/platform/qt/central_recorder.h"
#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

const QString kKiro = QStringLiteral("AA:BB:CC:DD:EE:01");
const QString kOther = QStringLiteral("AA:BB:CC:DD:EE:02");
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

// The app writes only with response; the other write type must still map to a command.
TEST_F(QtCentralTest, AWriteWithoutResponseGoesOutAsACommand) {
  makeCentral();
  auto kiro = connectKiro();
  ASSERT_TRUE(kiro);
  Characteristic* ffb2 = command(*kiro);
  ASSERT_NE(ffb2, nullptr);
  kiro->writeValue({0x20}, *ffb2, WriteType::withoutResponse);
  ASSERT_TRUE(spinUntil([&] { return fake_->writes(kKiro).size() == 1; }));
  EXPECT_EQ(fake_->writes(kKiro)[0].bytes, QByteArray(" "));
  EXPECT_EQ(fake_->writes(kKiro)[0].type, "command");
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

}  // namespace
}  // namespace kiro
