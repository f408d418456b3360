#include <gtest/gtest.h>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

using SimulatedCentralState = SimulatedRadioFixture;
using SimulatedScan = SimulatedRadioFixture;

TEST_F(SimulatedCentralState, ReportsItsStateOnceFromTheRunLoopAfterCreation) {
  EXPECT_EQ(central->state(), CentralState::poweredOn);
  EXPECT_TRUE(recorder.events.empty());
  loop.runDue();
  EXPECT_EQ(takeEvents(), Strings{"0 state on"});
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());

  radio.setPowered(false);
  RecordingDelegate other{loop};
  auto second = radio.centralFactory()(other);
  EXPECT_EQ(second->state(), CentralState::poweredOff);
}

TEST_F(SimulatedScan, ReportsEachReceiverOncePerScanInTheOrderAdded) {
  radio.addReceiver("Kiro-1");
  radio.addReceiver("Kiro-2");
  loop.runDue();
  takeEvents();

  central->scanForPeripherals(false);
  loop.advance(9ms);
  EXPECT_TRUE(recorder.events.empty());
  loop.advance(1s);
  EXPECT_EQ(takeEvents(), (Strings{"10 discover Kiro-1", "10 discover Kiro-2"}));
  auto first = recorder.found.at("Kiro-1");

  central->scanForPeripherals(false);
  loop.advance(1s);
  EXPECT_EQ(takeEvents(), (Strings{"1019 discover Kiro-1", "1019 discover Kiro-2"}));
  EXPECT_EQ(recorder.found.at("Kiro-1"), first) << "one peripheral object per receiver";
  EXPECT_EQ(first->identifier(), radio.receivers()[0]->identifier());
  EXPECT_NE(first->identifier(), radio.receivers()[1]->identifier());
}

TEST_F(SimulatedScan, AdvertisesTheLocalNameOnlyWhenItHasOne) {
  SimulatedReceiver::Options named;
  named.advertisedName = "Kiro-7";
  named.gapName = "KIRO receiver";
  named.rssi = -70;
  radio.addReceiver(named);
  radio.addReceiver(std::nullopt);

  auto peripheral = find("Kiro-7");
  EXPECT_EQ(peripheral->name(), "KIRO receiver");
  EXPECT_EQ(recorder.found.at("-")->name(), std::nullopt);
  EXPECT_EQ(recorder.advertisements.at("Kiro-7"), (AdvertisementData{{kAdvertisementLocalName, "Kiro-7"}}));
  EXPECT_TRUE(recorder.advertisements.at("-").empty()) << "no local name key";
  EXPECT_EQ(recorder.rssi.at("Kiro-7"), -70);
}

TEST_F(SimulatedScan, WithDuplicatesAllowedReportsEveryAdvertisingIntervalUntilStopped) {
  radio.addReceiver("Kiro-1");
  loop.runDue();
  takeEvents();
  central->scanForPeripherals(true);
  loop.advance(250ms);
  EXPECT_EQ(takeEvents(), (Strings{"10 discover Kiro-1", "110 discover Kiro-1", "210 discover Kiro-1"}));
  central->stopScan();
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(SimulatedScan, AReceiverThatStartsAdvertisingDuringAScanIsReportedAfterTheLatency) {
  auto& away = radio.addReceiver("Kiro-away");
  away.simulateOutOfRange();
  loop.runDue();
  takeEvents();
  central->scanForPeripherals(false);
  loop.advance(50ms);
  radio.addReceiver("Kiro-new");
  loop.advance(50ms);
  away.simulateBackInRange();
  loop.advance(50ms);
  EXPECT_EQ(takeEvents(), (Strings{"60 discover Kiro-new", "110 discover Kiro-away"}));
}

TEST_F(SimulatedScan, AConnectedReceiverDoesNotAdvertise) {
  radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  EXPECT_FALSE(radio.receivers()[0]->advertising());
  takeEvents();
  central->scanForPeripherals(true);
  loop.advance(500ms);
  EXPECT_TRUE(recorder.events.empty());

  central->cancelPeripheralConnection(*peripheral);
  loop.advance(sim_latency::disconnection + sim_latency::advertisement);
  EXPECT_EQ(takeEvents(), (Strings{"540 disconnect Kiro-1", "550 discover Kiro-1"}));
}

}  // namespace
}  // namespace kiro
