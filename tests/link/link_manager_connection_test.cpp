#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerConnection = LinkManagerFixture;

// Answers every "update" the way the remote control screen does for its remembered receiver,
// here entry 0: while it is neither connecting nor connected, it asks for its connection.
struct ReconnectingScreen {
  explicit ReconnectingScreen(singleton& link)
      : token(link.onUpdate([this, &link](const SharedPeripheralList& list) {
          const auto state = !list->empty() ? list->front()->state() : PeripheralState::connected;
          if (state == PeripheralState::connecting || state == PeripheralState::connected) return;
          ++requests;
          // Far deeper than any sound exchange goes: the two would call each other without end.
          ASSERT_LT(++depth, 64) << "update and connectionService keep calling each other";
          link.connectionService(0);
          --depth;
        })) {}
  int requests = 0;
  int depth = 0;
  Subscription token;
};

// The remote screen asks again on every update while its receiver is neither connecting nor
// connected; with the radio off, the request raised from within the answer's own update goes
// no further.
TEST_F(LinkManagerConnection, AFailedConnectADropAndTheRadiosReturnAreAnnouncedAndAskedForAgain) {
  auto& receiver = addReceiver(1, "Kiro-A", {{BleUuid::from16(0x180A), {}, {}}});
  auto& link = scanned();
  ReconnectingScreen screen(link);
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
  EXPECT_EQ(link.peripheralArr(), nullptr);  // it offers no command service
  // Said once each of its three connections.
  EXPECT_EQ(notices.said, std::vector<std::string>(3, "Kiro-A does not accept commands: it has no service FFB0"));
}

TEST_F(LinkManagerConnection, AnIndexRowOutsideTheRegistryReachesNoPeripheral) {
  const std::pair<std::size_t, std::optional<std::size_t>> cases[] = {
      {2, std::nullopt}, {SIZE_MAX, std::nullopt}, {1, 1}, {0, 0},
  };
  radio.addReceiver("Kiro-A");
  radio.addReceiver("Kiro-B");
  auto& link = manager();
  link.connectionService(0);  // an empty registry has no entry 0 either
  const auto listed = *scanned().arr();
  ASSERT_EQ(listed.size(), 2u);
  for (const auto& [indexRow, connects] : cases) {
    const auto before = link.peripheral();
    link.connectionService(indexRow);
    for (std::size_t i = 0; i < listed.size(); ++i)
      EXPECT_EQ(listed[i]->state() == PeripheralState::connecting, connects == i) << indexRow;
    EXPECT_EQ(link.peripheral(), connects ? listed[*connects] : before) << indexRow;
    for (const auto& entry : listed) link.central().cancelPeripheralConnection(*entry);
    loop.advance(1s);
  }
}

}  // namespace
}  // namespace kiro::link_test
