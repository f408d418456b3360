#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListSelection = DeviceListFixture;

const Alert kRefusal{"Can not connect", "A device has connected", "YES"};

TEST_F(DeviceListSelection, ATapWhileOthersAreConnectedShowsOneAlertEachAndChangesNothing) {
  addReceiver(1, "Kiro-1");
  addReceiver(2, "Kiro-2");
  addReceiver(3, "Kiro-3");
  scanned();
  connect(0);
  connect(1);
  const auto screen = open();
  const auto before = screen->tabel()->cellForRow(2);
  requests.clear();

  screen->tabel()->selectRow(2);
  EXPECT_EQ(alerts.alerts(), (std::deque<Alert>{kRefusal, kRefusal}));
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(remembered(), std::nullopt);
  EXPECT_EQ(screen->tabel()->cellForRow(2), before);
}

TEST_F(DeviceListSelection, ATapOnTheConnectedReceiverItselfRemembersItAndAsksToLetItGo) {
  auto& receiver = addReceiver(1, "Kiro-1");
  addReceiver(2, "Kiro-2");
  scanned();
  connect(0);
  const auto screen = open();
  requests.clear();

  screen->tabel()->selectRow(0);
  EXPECT_TRUE(alerts.alerts().empty());
  EXPECT_EQ(requests, std::vector<std::string>{"0"});
  EXPECT_EQ(remembered(), (StringDictionary{{"name", "Kiro-1"}, {"uuid", receiverIdentifier(1).UUIDString()}}));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
  EXPECT_TRUE(log.contains("cell点击方法触发，将要传递的通知内容是:{indexRow = 0}"));
  EXPECT_EQ(rows(*screen).front(), disconnectedRow("Kiro-1"));
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
}

TEST_F(DeviceListSelection, OnlyAConnectedReceiverBlocksAPick) {
  auto& stalled = addReceiver(1, "Kiro-1");
  auto& other = addReceiver(2, "Kiro-2");
  scanned();
  stalled.setNextConnectionResponse(SimConnectionResponse::neverComplete);
  pick("0");
  const auto screen = open();
  requests.clear();

  screen->tabel()->selectRow(1);
  ASSERT_EQ(other.state(), PeripheralState::connecting);
  // Picking the receiver that is itself still connecting cancels the attempt.
  screen->tabel()->selectRow(0);
  loop.advance(2s);
  EXPECT_TRUE(alerts.alerts().empty());
  EXPECT_EQ(requests, (std::vector<std::string>{"1", "0"}));
  EXPECT_EQ(other.state(), PeripheralState::connected);
  EXPECT_EQ(stalled.state(), PeripheralState::disconnected);
  EXPECT_EQ(remembered()->at("name"), "Kiro-1");
}

TEST_F(DeviceListSelection, ARowOutsideTheListIsIgnoredEvenWhileAReceiverIsConnected) {
  addReceiver(1, "Kiro-1");
  scanned();
  connect(0);
  const auto screen = open();
  requests.clear();

  for (std::int64_t row : {-1, 1, 40}) screen->didSelectRowAtIndexPath(*screen->tabel(), {row, 0});
  EXPECT_TRUE(alerts.alerts().empty());
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(remembered(), std::nullopt);
}

}  // namespace
}  // namespace kiro::devices_test
