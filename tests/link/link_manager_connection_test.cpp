#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerConnection = LinkManagerFixture;

const std::uint32_t kNotify = property::notify;

// Every characteristic of every service the peripheral lists.
std::vector<std::shared_ptr<Characteristic>> allCharacteristics(const Peripheral& peripheral) {
  std::vector<std::shared_ptr<Characteristic>> found;
  for (const auto& service : peripheral.services())
    found.insert(found.end(), service->characteristics.begin(), service->characteristics.end());
  return found;
}

TEST_F(LinkManagerConnection, PickingConnectsDiscoversEverythingSubscribesAllAndPickingAgainCancels) {
  SimGattTable gatt = kiroGattTable();
  gatt.push_back({*BleUuid::parse("180A"),
                  {{*BleUuid::parse("2A29"), kNotify | property::read}},
                  {{*BleUuid::parse("1812"), {{*BleUuid::parse("2A4D"), kNotify}}, {}}}});
  auto& receiver = addReceiver(1, "Kiro-A", gatt);
  auto& link = scanned();

  updates.clear();
  pick("0");
  const auto listed = (*link.arr())[0];
  EXPECT_EQ(link.peripheral(), listed);
  // The request moves the receiver to "connecting" before the update goes out.
  ASSERT_FALSE(updates.empty());
  EXPECT_EQ((*updates.front())[0]->state(), PeripheralState::connecting);

  loop.advance(2s);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_EQ(link.peripheral(), listed);
  EXPECT_EQ(link.peripheralArr(), listed);
  ASSERT_EQ(listed->services().size(), 2u);
  const auto characteristics = allCharacteristics(*listed);
  EXPECT_EQ(characteristics.size(), 3u);
  for (const auto& characteristic : characteristics)
    EXPECT_TRUE(characteristic->isNotifying) << characteristic->uuid.UUIDString();
  ASSERT_EQ(listed->services()[1]->includedServices.size(), 1u);
  EXPECT_EQ(listed->services()[1]->includedServices[0]->uuid, *BleUuid::parse("1812"));

  pick("0");
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(link.peripheral(), listed);
}

TEST_F(LinkManagerConnection, AReceiverWithoutTheCommandServiceIsStillConnectedAndSubscribed) {
  auto& receiver = addReceiver(1, "Kiro-A",
                               {{*BleUuid::parse("180A"),
                                 {{*BleUuid::parse("2A29"), kNotify}, {*BleUuid::parse("2A24"), kNotify}},
                                 {}}});
  auto& link = connectedToFirst();
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_EQ(link.peripheral(), (*link.arr())[0]);
  EXPECT_EQ(link.peripheralArr(), nullptr);
  for (const auto& characteristic : allCharacteristics(*link.peripheral()))
    EXPECT_TRUE(characteristic->isNotifying) << characteristic->uuid.UUIDString();
}

TEST_F(LinkManagerConnection, CharacteristicDiscoveryHoldsTheMainThreadATenthPerCharacteristic) {
  const auto service = [](const char* uuid, const char* first, const char* second) {
    return SimService{*BleUuid::parse(uuid), {{*BleUuid::parse(first), kNotify}, {*BleUuid::parse(second), kNotify}}, {}};
  };
  addReceiver(1, "Kiro-A", {service("FFB0", "FFB1", "FFB2"), service("180A", "2A29", "2A24")});
  connectedToFirst();

  // Each report of a service's characteristics ends with its update 0.2 s after it began.
  std::vector<Millis> held;
  for (std::size_t i = 0; i < log.entries.size(); ++i) {
    if (log.entries[i].text != "-------------发现特征的服务-----------------") continue;
    for (std::size_t k = i + 1; k < log.entries.size(); ++k) {
      if (log.entries[k].text == "刷新列表广播发送") {
        held.push_back(log.entries[k].time - log.entries[i].time);
        break;
      }
    }
  }
  EXPECT_EQ(held, (std::vector<Millis>{200ms, 200ms}));
}

TEST_F(LinkManagerConnection, ADroppedLinkIsAnnouncedKeptCurrentAndAskedForAgain) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  const auto current = link.peripheral();
  ReconnectingScreen screen(center, receiver.identifier());

  updates.clear();
  receiver.simulateDisconnection();
  loop.advance(2s);
  EXPECT_FALSE(updates.empty());
  EXPECT_GE(screen.requests, 1);
  EXPECT_EQ(link.peripheral(), current);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

TEST_F(LinkManagerConnection, ReconnectionWithTheRadioOffEndsAndResumesWhenItComesBack) {
  auto& receiver = addReceiver(1, "Kiro-A");
  connectedToFirst();
  ReconnectingScreen screen(center, receiver.identifier());

  radio.setPowered(false);
  loop.advance(2s);
  EXPECT_NE(receiver.state(), PeripheralState::connected);
  // The screen asks again from within the answer's own update; that request goes no further.
  EXPECT_LE(screen.deepest, 2);

  radio.setPowered(true);
  loop.advance(2s);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

TEST_F(LinkManagerConnection, ReconnectionToAReceiverStillDisconnectingEndsAndConnectsAfterIt) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  ReconnectingScreen screen(center, receiver.identifier());

  link.central().cancelPeripheralConnection(*link.peripheral());
  ASSERT_EQ(receiver.state(), PeripheralState::disconnecting);
  // An update while it disconnects: the screen asks, the answer is a cancel and another update.
  link.radioArr();
  EXPECT_LE(screen.deepest, 2);
  EXPECT_GE(screen.requests, 1);

  loop.advance(2s);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

TEST_F(LinkManagerConnection, AFailedConnectIsLoggedAnnouncedAndAskedAgain) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = scanned();
  receiver.setNextConnectionResponse(SimConnectionResponse::fail);
  ReconnectingScreen screen(center, receiver.identifier());

  link.radioArr();
  loop.advance(2s);
  EXPECT_TRUE(log.contains("-------------didFailToConnectPeripheral-----------------"));
  EXPECT_GE(screen.requests, 2);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

// What "indexRow" names: leading digits, a text without them reading as 0; anything
// outside the registry reaches no peripheral.
TEST_F(LinkManagerConnection, AnIndexRowOutsideTheRegistryReachesNoPeripheral) {
  struct Case {
    std::optional<std::string> indexRow;
    std::optional<std::size_t> connects;
  };
  const std::vector<Case> cases{
      {"2", std::nullopt},   {"-1", std::nullopt}, {"99999999999999999999", std::nullopt},
      {"-99999999999999999999", std::nullopt},     {"1", 1},
      {"1abc", 1},           {" +1", 1},           {"abc", 0},
      {"", 0},               {std::nullopt, 0},
  };
  addReceiver(1, "Kiro-A");
  addReceiver(2, "Kiro-B");
  auto& link = manager();
  pick("0");  // an empty registry has no entry 0 either
  auto& listed = *scanned().arr();
  ASSERT_EQ(listed.size(), 2u);
  for (const auto& c : cases) {
    const auto label = c.indexRow.value_or("(absent)");
    const auto before = link.peripheral();
    if (c.indexRow) {
      pick(*c.indexRow);
    } else {
      center.post("connectionService");
    }
    for (std::size_t i = 0; i < listed.size(); ++i) {
      const bool picked = c.connects == i;
      EXPECT_EQ(listed[i]->state(), picked ? PeripheralState::connecting : PeripheralState::disconnected) << label;
    }
    EXPECT_EQ(link.peripheral(), c.connects ? listed[*c.connects] : before) << label;
    for (const auto& entry : listed) link.central().cancelPeripheralConnection(*entry);
    loop.advance(1s);
  }
}

}  // namespace
}  // namespace kiro::link_test
