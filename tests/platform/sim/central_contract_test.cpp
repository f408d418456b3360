#include "tests/platform/sim/central_contract.h"

// What every central reports, in what order, whatever the backend: each test binary
// instantiates these cases with its harness (the simulated radio on the virtual clock,
// the Qt central on the fake bluetoothd), so the simulator answers as the real adapter does.
namespace kiro {
namespace {

using Events = std::vector<std::string>;
constexpr auto disconnected = PeripheralState::disconnected;
constexpr auto connecting = PeripheralState::connecting;

TEST_P(CentralContract, AScanReportsEachReceiverOnceUnlessDuplicatesAreAllowed) {
  harness->addReceiver("");
  harness->addReceiver("Kiro-1");
  central.scanForPeripherals(false);
  EXPECT_TRUE(harness->runUntil([&] { return recorder.events.size() == 2; }));
  EXPECT_EQ(recorder.take(), (Events{"discover -", "discover Kiro-1"}));
  auto kiro = recorder.found.at("Kiro-1");
  EXPECT_EQ(kiro->name(), "Kiro-1");
  EXPECT_EQ(recorder.found.at("-")->name(), std::nullopt);
  harness->advertiseAgain("Kiro-1");
  harness->addReceiver("Kiro-2");
  EXPECT_EQ(until("discover Kiro-2"), Events{"discover Kiro-2"});

  // A new scan reports it again, as the same object; with duplicates, at each advertisement.
  central.scanForPeripherals(true);
  until("discover Kiro-1");
  EXPECT_EQ(recorder.found.at("Kiro-1"), kiro);
  harness->settle();
  recorder.take();
  harness->advertiseAgain("Kiro-1");
  EXPECT_EQ(until("discover Kiro-1"), Events{"discover Kiro-1"});

  central.stopScan();
  harness->advertiseAgain("Kiro-1");
  harness->addReceiver("Kiro-3");
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{});
}

TEST_P(CentralContract, AConnectSucceedsFailsOrHangsUntilGivenUpAndACancelEndsItOrTheLink) {
  harness->addReceiver("Kiro-1");
  auto kiro = find("Kiro-1");
  central.connectPeripheral(*kiro, true);
  EXPECT_EQ(kiro->state(), connecting);
  EXPECT_EQ(until("connect Kiro-1"), Events{"connect Kiro-1"});
  EXPECT_EQ(kiro->state(), PeripheralState::connected);
  central.connectPeripheral(*kiro, true);
  central.cancelPeripheralConnection(*kiro);
  EXPECT_EQ(kiro->state(), PeripheralState::disconnecting);
  EXPECT_EQ(until("disconnect Kiro-1"), Events{"disconnect Kiro-1"});
  EXPECT_EQ(kiro->state(), disconnected);
  central.cancelPeripheralConnection(*kiro);

  harness->respondToConnect("Kiro-1", SimConnectionResponse::fail);
  central.connectPeripheral(*kiro, true);
  EXPECT_EQ(kiro->state(), connecting);
  EXPECT_EQ(until("fail Kiro-1 error"), Events{"fail Kiro-1 error"});
  EXPECT_EQ(kiro->state(), disconnected);

  harness->respondToConnect("Kiro-1", SimConnectionResponse::neverComplete);
  central.connectPeripheral(*kiro, true);
  harness->settle();
  EXPECT_EQ(kiro->state(), connecting);
  EXPECT_EQ(until("fail Kiro-1 error"), Events{"fail Kiro-1 error"}) << "the central gives up";
  EXPECT_EQ(kiro->state(), disconnected);

  harness->respondToConnect("Kiro-1", SimConnectionResponse::neverComplete);
  central.connectPeripheral(*kiro, true);
  harness->settle();
  central.cancelPeripheralConnection(*kiro);
  EXPECT_EQ(until("disconnect Kiro-1"), Events{"disconnect Kiro-1"});
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{}) << "no failure follows the cancel";

  harness->respondToConnect("Kiro-1", SimConnectionResponse::succeed);
  central.connectPeripheral(*kiro, true);
  EXPECT_EQ(until("connect Kiro-1"), Events{"connect Kiro-1"});
}

TEST_P(CentralContract, DiscoveryListsTheTableOfThisLinkAndALinkTheReceiverEndsTakesItAlong) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  EXPECT_TRUE(kiro->services().empty()) << "nothing is known before discovery";
  kiro->discoverServices();
  EXPECT_EQ(until("services"), Events{"services"});
  ASSERT_EQ(kiro->services().size(), 1u);
  auto service = kiro->services()[0];
  EXPECT_EQ(service->uuid, BleUuid::from16(0xFFB0));
  EXPECT_TRUE(service->isPrimary);
  EXPECT_TRUE(service->characteristics.empty());
  kiro->discoverCharacteristics(*service);
  kiro->discoverIncludedServices(*service);
  EXPECT_EQ(until("included FFB0"), (Events{"characteristics FFB0", "included FFB0"}));
  ASSERT_EQ(service->characteristics.size(), 2u);
  const auto ffb2 = service->characteristics[0];
  EXPECT_EQ(ffb2->uuid, BleUuid::from16(0xFFB2));
  EXPECT_EQ(ffb2->properties, property::write | property::writeWithoutResponse | property::notify);
  EXPECT_EQ(ffb2->service, service.get());
  EXPECT_EQ(service->characteristics[1]->uuid, BleUuid::from16(0xFFB1));
  EXPECT_EQ(service->characteristics[1]->properties, property::notify);
  EXPECT_TRUE(service->includedServices.empty());

  harness->dropLink("Kiro-1");
  EXPECT_EQ(until("disconnect Kiro-1 error"), Events{"disconnect Kiro-1 error"});
  EXPECT_EQ(kiro->state(), disconnected);
  EXPECT_TRUE(kiro->services().empty());
  central.connectPeripheral(*kiro, true);
  until("connect Kiro-1");
  EXPECT_NE(discover(*kiro, 0xFFB2), ffb2);
  kiro->discoverCharacteristics(*service);
  kiro->setNotifyValue(true, *ffb2);
  kiro->writeValue({0x10}, *ffb2, WriteType::withResponse);
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{}) << "objects of an ended link are ignored";
  EXPECT_TRUE(harness->writes("Kiro-1").empty());
}

TEST_P(CentralContract, ASubscribedCharacteristicReportsEachNotifiedValue) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  kiro->setNotifyValue(true, *ffb2);
  EXPECT_EQ(until("notifying FFB2 on"), Events{"notifying FFB2 on"});
  harness->notify("Kiro-1", {0x01, 0x08});
  EXPECT_EQ(until("value FFB2 0108"), Events{"value FFB2 0108"});
  harness->notify("Kiro-1", {0x02});
  EXPECT_EQ(until("value FFB2 02"), Events{"value FFB2 02"});
  EXPECT_EQ(ffb2->value, Bytes{0x02});

  kiro->setNotifyValue(false, *ffb2);
  EXPECT_EQ(until("notifying FFB2 off"), Events{"notifying FFB2 off"});
  harness->notify("Kiro-1", {0x04});
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{});
}

TEST_P(CentralContract, AWriteGoesOutWithItsTypeWhereTheCharacteristicAllowsItAndOnlyARequestIsAnswered) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  auto ffb1 = kiro->services()[0]->characteristics[1];
  kiro->writeValue({0x10}, *ffb2, WriteType::withResponse);
  EXPECT_EQ(until("written FFB2"), Events{"written FFB2"});
  kiro->writeValue({0x20, 0x01}, *ffb2, WriteType::withoutResponse);
  kiro->writeValue({0x30}, *ffb1, WriteType::withResponse);
  EXPECT_EQ(until("written FFB1 error"), Events{"written FFB1 error"}) << "FFB1 only notifies";
  kiro->writeValue({0x40}, *ffb1, WriteType::withoutResponse);
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{});
  EXPECT_EQ(harness->writes("Kiro-1"), (std::vector<ReceivedWrite>{{{0x10}, WriteType::withResponse},
                                                                    {{0x20, 0x01}, WriteType::withoutResponse}}));
}

TEST_P(CentralContract, PowerOffEndsLinksAttemptsAndScansAndPowerOnRestartsNone) {
  harness->addReceiver("Kiro-1");
  harness->addReceiver("Kiro-2");
  auto stalled = find("Kiro-2");
  auto kiro = connect("Kiro-1");
  harness->respondToConnect("Kiro-2", SimConnectionResponse::neverComplete);
  central.connectPeripheral(*stalled, true);
  central.scanForPeripherals(false);
  harness->settle();
  recorder.take();
  harness->setPowered(false);
  harness->setPowered(false);
  EXPECT_EQ(until("state off"), (Events{"disconnect Kiro-1 error", "fail Kiro-2 error", "state off"}));
  EXPECT_EQ(central.state(), CentralState::poweredOff);
  EXPECT_EQ(kiro->state(), disconnected);
  EXPECT_EQ(stalled->state(), disconnected);
  central.connectPeripheral(*kiro, true);
  EXPECT_EQ(kiro->state(), disconnected);
  central.scanForPeripherals(false);
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{});

  harness->setPowered(true);
  EXPECT_EQ(until("state on"), Events{"state on"});
  harness->addReceiver("Kiro-3");
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{}) << "the scan is not restarted";
  central.connectPeripheral(*kiro, true);
  EXPECT_EQ(until("connect Kiro-1"), Events{"connect Kiro-1"});
}

}  // namespace
}  // namespace kiro
