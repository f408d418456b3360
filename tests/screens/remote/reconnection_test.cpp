#include <string>
#include <vector>

#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

// The remembered receiver's part of the remote screen, on the link manager's updates from
// the start of a scan, with reconnection allowed.
class ReconnectionTest : public RemoteScreenFixture {
 protected:
  void SetUp() override {
    RemoteScreenFixture::SetUp();
    manager().setConnectionFlag(1);
    listening = manager().onUpdate([this](const SharedPeripheralList& list) { reconnection.change(list); });
    manager().startBlueYooth();
    reconnection.testLabel()->setObserver([this](View&, ViewProperty property) {
      // What timed shooting asks must say what the label says.
      if (property != ViewProperty::text) return;
      labels += label() + (reconnection.connected() == (label() == "connected") ? " " : "! ");
    });
  }

  std::string label() const { return reconnection.testLabel()->text(); }

  Reconnection reconnection;
  Subscription listening;
  std::string labels;  // every text the label showed, in turn
};

TEST_F(ReconnectionTest, TheRememberedReceiverIsShownAndAskedForWhileReconnectionIsAllowed) {
  const auto& other = radio.addReceiver(std::string("KIRO-2"));
  EXPECT_EQ(reconnection.receiverLine()->text(), "No receiver chosen yet");
  auto& receiver = addRemembered("KIRO-1");
  EXPECT_EQ(label(), "disconnected");
  loop.advance(2s);
  EXPECT_EQ(reconnection.receiverLine()->text(), "KIRO-1");
  receiver.simulateDisconnection();
  loop.advance(2s);
  EXPECT_EQ(receiver.connectRequests(), 2);
  EXPECT_EQ(labels, "connecting connected disconnected connecting connected ");

  manager().setConnectionFlag(0);
  receiver.simulateDisconnection();
  loop.advance(5s);
  EXPECT_EQ(receiver.connectRequests(), 2);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(label(), "disconnected");
  manager().setConnectionFlag(1);
  manager().radioArr();
  loop.advance(1s);
  EXPECT_EQ(receiver.connectRequests(), 3);
  EXPECT_EQ(other.connectRequests(), 0);
  EXPECT_EQ(label(), "connected");
}

TEST_F(ReconnectionTest, OnlyARecordWithTheListedNameAndIdentifierMatches) {
  const auto& receiver = radio.addReceiver(std::string("KIRO-1"));
  const std::string uuid = receiver.identifier().UUIDString();
  loop.advance(2s);
  ASSERT_EQ(manager().arr()->size(), 1u);
  const std::string other = "4B49524F-0000-0000-0000-000000000009";
  for (const auto& record : std::vector<StringDictionary>{{{"name", "KIRO-1"}}, {{"uuid", uuid}},
                                                          {{"name", "KIRO-9"}, {"uuid", uuid}},
                                                          {{"name", "KIRO-1"}, {"uuid", other}},
                                                          {{"name", "KIRO-1"}, {"uuid", uuid}},  // the match
                                                          {{"name", "KIRO-9"}, {"uuid", uuid}}}) {
    defaults.set("iphone", record);
    manager().radioArr();
  }
  EXPECT_EQ(receiver.connectRequests(), 1);
  EXPECT_EQ(labels, "connecting disconnected ");
}

// A list may arrive longer than the name list, hold no peripheral at an entry, or be missing.
TEST_F(ReconnectionTest, WithoutItsReceiverInTheListTheLabelSaysDisconnected) {
  const auto& receiver = addRemembered();
  loop.advance(2s);
  const auto remembered = manager().arr()->at(0);
  for (const SharedPeripheralList& odd :
       {std::make_shared<PeripheralList>(PeripheralList{nullptr, remembered}), SharedPeripheralList{},
        std::make_shared<PeripheralList>()}) {
    reconnection.change(odd);
    manager().radioArr();
  }
  EXPECT_EQ(receiver.connectRequests(), 1);
  EXPECT_EQ(labels, "connecting connected disconnected connected disconnected connected disconnected connected ");
}

}  // namespace
}  // namespace kiro::remote_test
