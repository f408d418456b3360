#include <gtest/gtest.h>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

class SimulatedFault : public SimulatedRadioFixture {
 protected:
  SimulatedReceiver& receiver = radio.addReceiver("Kiro-1");
};

TEST_F(SimulatedFault, ADisconnectionDropsTheLinkWithAnErrorAndTheReceiverAdvertisesAgain) {
  auto peripheral = connectTo("Kiro-1");
  discoverAll(*peripheral, "FFB2");
  central->scanForPeripherals(false);
  takeEvents();
  receiver.simulateDisconnection();
  EXPECT_EQ(peripheral->state(), PeripheralState::disconnected);
  EXPECT_TRUE(peripheral->services().empty());
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  loop.advance(sim_latency::advertisement);
  EXPECT_EQ(takeEvents(), (Strings{"40 disconnect Kiro-1 error", "50 discover Kiro-1"}));

  receiver.simulateDisconnection();  // no link: nothing happens
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(SimulatedFault, OutOfRangeDropsTheLinkAndHoldsConnectRequestsUntilBackInRange) {
  auto peripheral = connectTo("Kiro-1");
  takeEvents();
  receiver.simulateOutOfRange();
  EXPECT_EQ(takeEvents(), Strings{"30 disconnect Kiro-1 error"});
  central->scanForPeripherals(true);
  central->connectPeripheral(*peripheral, true);
  loop.advance(10s);
  EXPECT_TRUE(recorder.events.empty()) << "it neither advertises nor answers";
  EXPECT_EQ(peripheral->state(), PeripheralState::connecting);

  receiver.simulateBackInRange();
  loop.advance(sim_latency::connection);
  EXPECT_EQ(takeEvents(), (Strings{"10040 discover Kiro-1", "10050 connect Kiro-1"}));
}

TEST_F(SimulatedFault, PowerOffDropsLinksAndStopsScansAndNothingStartsUntilPowerOn) {
  RecordingDelegate otherRecorder{loop};
  auto other = radio.centralFactory()(otherRecorder);
  auto peripheral = connectTo("Kiro-1");
  central->scanForPeripherals(true);
  takeEvents();
  otherRecorder.events.clear();
  radio.setPowered(false);
  radio.setPowered(false);
  EXPECT_EQ(central->state(), CentralState::poweredOff);
  EXPECT_EQ(otherRecorder.events, Strings{"30 state off"}) << "every central hears it, once";
  EXPECT_EQ(peripheral->state(), PeripheralState::disconnected);
  EXPECT_EQ(takeEvents(), (Strings{"30 state off", "30 disconnect Kiro-1 error"}));

  central->connectPeripheral(*peripheral, true);
  EXPECT_EQ(peripheral->state(), PeripheralState::disconnected);
  central->scanForPeripherals(false);
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());

  radio.setPowered(true);
  EXPECT_EQ(central->state(), CentralState::poweredOn);
  loop.advance(1s);
  EXPECT_EQ(takeEvents(), Strings{"1030 state on"}) << "the scan is not restarted";
  central->connectPeripheral(*peripheral, true);
  loop.advance(sim_latency::connection);
  EXPECT_EQ(peripheral->state(), PeripheralState::connected);
}

using SimulatedLifetime = SimulatedFault;

TEST_F(SimulatedLifetime, DestroyingACentralWithCallbacksPendingIsSafe) {
  auto& second = radio.addReceiver("Kiro-2");
  auto peripheral = connectTo("Kiro-1");
  auto ffb2 = discoverAll(*peripheral, "FFB2");
  central->scanForPeripherals(true);
  central->connectPeripheral(*recorder.found.at("Kiro-2"), true);
  peripheral->discoverServices();
  peripheral->setNotifyValue(true, *ffb2);
  peripheral->writeValue({0x10}, *ffb2, WriteType::withResponse);
  takeEvents();

  central.reset();
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_EQ(peripheral->state(), PeripheralState::disconnected);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(second.state(), PeripheralState::disconnected);
  EXPECT_TRUE(receiver.advertising());

  // A peripheral that outlives its central takes requests and answers none.
  peripheral->discoverServices();
  peripheral->writeValue({0x10}, *ffb2, WriteType::withResponse);
  receiver.simulateNotification({0x01});
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());

  central = radio.centralFactory()(recorder);
  EXPECT_EQ(connectTo("Kiro-1")->identifier(), peripheral->identifier());
}

TEST_F(SimulatedLifetime, ACentralMayBeDestroyedFromItsOwnCallback) {
  struct Destroyer final : CentralDelegate {
    std::unique_ptr<Central>* owner = nullptr;
    void centralDidUpdateState(Central&) override {}
    void didDiscoverPeripheral(Central&, const std::shared_ptr<Peripheral>&, const AdvertisementData&, int) override {
      owner->reset();
    }
    void didConnectPeripheral(Central&, Peripheral&) override {}
    void didFailToConnectPeripheral(Central&, Peripheral&, const BleError&) override {}
    void didDisconnectPeripheral(Central&, Peripheral&, const BleError&) override {}
    void willRestoreState(Central&, const std::map<std::string, std::string>&) override {}
    void didRetrievePeripherals(Central&, const PeripheralList&) override {}
    void didRetrieveConnectedPeripherals(Central&, const PeripheralList&) override {}
  } destroyer;
  std::unique_ptr<Central> doomed = radio.centralFactory()(destroyer);
  destroyer.owner = &doomed;
  doomed->scanForPeripherals(true);
  loop.advance(1s);
  EXPECT_EQ(doomed, nullptr);
}

}  // namespace
}  // namespace kiro
