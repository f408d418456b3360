#include <string>
#include <vector>

#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

class RemoteScreenConnection : public RemoteScreenFixture {
 protected:
  void SetUp() override {
    RemoteScreenFixture::SetUp();
    requestRecorder = center.addObserver("connectionService", [this](const Notification& n) {
      requests.push_back(n.value<std::string>("indexRow").value_or("?"));
    });
  }

  // Every text the label shows from now on.
  void recordLabel() {
    screen->view()->setObserver([this](View& view, ViewProperty property) {
      if (&view == screen->testLabel().get() && property == ViewProperty::text)
        labels.push_back(screen->testLabel()->text());
    });
  }

  std::string label() const { return screen->testLabel()->text(); }

  std::vector<std::string> requests;
  std::vector<std::string> labels;
  ObserverToken requestRecorder;
};

TEST_F(RemoteScreenConnection, LabelFollowsTheRememberedReceiverThroughADropAndItsReconnection) {
  addReceiver(2, "KIRO-2");
  auto& receiver = addRemembered(1, "KIRO-1");
  screen->loadViewIfNeeded();
  EXPECT_EQ(label(), "disconnected");
  recordLabel();
  loop.advance(2s);
  EXPECT_EQ(labels, (std::vector<std::string>{"connecting", "connected"}));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(manager().nameArray()->at(std::stoul(requests[0])), "KIRO-1");

  labels.clear();
  receiver.simulateDisconnection();
  loop.advance(2s);
  EXPECT_EQ(labels, (std::vector<std::string>{"disconnected", "connecting", "connected"}));
  EXPECT_EQ(requests.size(), 2u);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

TEST_F(RemoteScreenConnection, ADroppedReceiverIsAskedForAgainOnlyWhileReconnectionIsAllowed) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  requests.clear();
  manager().setConnectionFlag(0);
  receiver.simulateDisconnection();
  loop.advance(5s);
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(label(), "disconnected");

  manager().setConnectionFlag(1);
  manager().radioArr();
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(label(), "connecting");
  loop.advance(2s);
  EXPECT_EQ(label(), "connected");
}

TEST_F(RemoteScreenConnection, OnlyARecordWithTheListedNameAndIdentifierMatches) {
  auto& receiver = addReceiver(1, "KIRO-1");
  const std::string uuid = receiver.identifier().UUIDString();
  struct Case {
    const char* what;
    std::optional<DefaultsValue> record;
  };
  const Case cases[] = {
      {"nothing remembered", std::nullopt},
      {"a string, not a record", DefaultsValue{std::string("KIRO-1")}},
      {"no uuid", DefaultsValue{StringDictionary{{"name", "KIRO-1"}}}},
      {"no name", DefaultsValue{StringDictionary{{"uuid", uuid}}}},
      {"another name", DefaultsValue{StringDictionary{{"name", "KIRO-9"}, {"uuid", uuid}}}},
      {"another uuid", DefaultsValue{StringDictionary{{"name", "KIRO-1"}, {"uuid", "4B49524F-0000-0000-0000-000000000009"}}}},
  };
  screen->loadViewIfNeeded();
  loop.advance(2s);
  ASSERT_EQ(manager().arr()->size(), 1u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.record) defaults.set("iphone", *c.record);
    manager().radioArr();
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(label(), "disconnected");
  }
  defaults.set("iphone", StringDictionary{{"name", "KIRO-1"}, {"uuid", uuid}});
  manager().radioArr();
  EXPECT_EQ(requests, std::vector<std::string>{"0"});
}

TEST_F(RemoteScreenConnection, EntriesPastTheNameListOrWithoutAPeripheralMatchNothing) {
  addRemembered();
  screen->loadViewIfNeeded();
  manager().setConnectionFlag(0);
  loop.advance(1500ms);
  manager().setConnectionFlag(1);
  ASSERT_EQ(manager().nameArray()->size(), 1u);
  const auto remembered = manager().arr()->at(0);
  post("update", {{"arrKey", std::make_shared<PeripheralList>(PeripheralList{nullptr, remembered})}});
  post("update", {{"arrKey", SharedPeripheralList{}}});
  post("update", {});
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(label(), "disconnected");
}

}  // namespace
}  // namespace kiro::remote_test
