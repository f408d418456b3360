#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerConnection = LinkManagerFixture;

SimService service(const char* uuid, std::vector<const char*> notifiers, std::vector<SimService> included = {}) {
  SimService made{*BleUuid::parse(uuid), {}, std::move(included)};
  for (const char* each : notifiers) made.characteristics.push_back({*BleUuid::parse(each), property::notify});
  return made;
}

TEST_F(LinkManagerConnection, PickingConnectsAndDiscoversEverythingAndPickingAgainCancels) {
  SimGattTable gatt = kiroGattTable();
  gatt.push_back(service("180A", {"2A29"}, {service("1812", {"2A4D"})}));
  auto& receiver = addReceiver(1, "Kiro-A", gatt);
  auto& link = scanned();
  pick("0");
  // The request moves the receiver to "connecting" before the update goes out.
  ASSERT_FALSE(updates.empty());
  EXPECT_EQ(updates.back()->at(0)->state(), PeripheralState::connecting);

  loop.advance(2s);
  const auto listed = link.arr()->at(0);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_EQ(link.peripheralArr(), listed);  // it offers the command service
  ASSERT_EQ(listed->services().size(), 2u);
  EXPECT_EQ(listed->services()[1]->includedServices.size(), 1u);

  pick("0");
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
}

// Each report of a service's characteristics subscribes them all, then holds the main thread
// a tenth of a second per characteristic before its update.
TEST_F(LinkManagerConnection, CharacteristicDiscoveryHoldsTheMainThreadATenthPerCharacteristic) {
  const SimService info = service("180A", {"2A29", "2A24"});
  addReceiver(1, "Kiro-A", {info, info});
  auto& link = connectedToFirst();
  std::vector<Millis> held;
  const auto& lines = log.entries;
  for (auto start = lines.begin(); start != lines.end(); ++start) {
    if (start->second != "-------------发现特征的服务-----------------") continue;
    const auto update = std::find_if(start, lines.end(), [](auto& e) { return e.second == "刷新列表广播发送"; });
    if (update != lines.end()) held.push_back(update->first - start->first);
  }
  EXPECT_EQ(held, (std::vector<Millis>{200ms, 200ms}));
  EXPECT_EQ(link.peripheralArr(), nullptr);  // no command service
  for (const auto& each : link.peripheral()->services())
    for (const auto& characteristic : each->characteristics) EXPECT_TRUE(characteristic->isNotifying);
}

// The remote screen asks again on every update while its receiver is neither connecting nor
// connected; with the radio off, the request raised from within the answer's own update goes
// no further.
TEST_F(LinkManagerConnection, AFailedConnectADropAndTheRadiosReturnAreAnnouncedAndAskedForAgain) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = scanned();
  ReconnectingScreen screen(center, receiver.identifier());
  receiver.setNextConnectionResponse(SimConnectionResponse::fail);
  link.radioArr();
  loop.advance(2s);
  EXPECT_GE(screen.requests, 2);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);

  const auto current = link.peripheral();
  receiver.simulateDisconnection();
  loop.advance(2s);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_EQ(link.peripheral(), current);

  radio.setPowered(false);
  loop.advance(2s);
  EXPECT_NE(receiver.state(), PeripheralState::connected);
  radio.setPowered(true);
  loop.advance(2s);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

// "indexRow" is read by its leading digits, a text without them as 0; anything outside the
// registry reaches no peripheral.
TEST_F(LinkManagerConnection, AnIndexRowOutsideTheRegistryReachesNoPeripheral) {
  const std::pair<std::optional<std::string>, std::optional<std::size_t>> cases[] = {
      {"2", std::nullopt}, {"-1", std::nullopt}, {"99999999999999999999", std::nullopt},
      {"-99999999999999999999", std::nullopt}, {"1abc", 1}, {" +1", 1}, {"abc", 0}, {std::nullopt, 0},
  };
  radio.addReceiver("Kiro-A");
  radio.addReceiver("Kiro-B");
  auto& link = manager();
  pick("0");  // an empty registry has no entry 0 either
  const auto listed = *scanned().arr();
  ASSERT_EQ(listed.size(), 2u);
  for (const auto& [indexRow, connects] : cases) {
    const auto before = link.peripheral();
    center.post("connectionService", indexRow ? UserInfo{{"indexRow", *indexRow}} : UserInfo{});
    for (std::size_t i = 0; i < listed.size(); ++i)
      EXPECT_EQ(listed[i]->state() == PeripheralState::connecting, connects == i) << indexRow.value_or("(absent)");
    EXPECT_EQ(link.peripheral(), connects ? listed[*connects] : before) << indexRow.value_or("(absent)");
    for (const auto& entry : listed) link.central().cancelPeripheralConnection(*entry);
    loop.advance(1s);
  }
}

}  // namespace
}  // namespace kiro::link_test
