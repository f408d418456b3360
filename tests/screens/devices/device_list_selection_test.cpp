#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListSelection = DeviceListFixture;

TEST_F(DeviceListSelection, ATapWhileOthersAreConnectedShowsOneAlertEachAndChangesNothing) {
  const auto& first = addReceiver(1, "Kiro-1");
  const auto& second = addReceiver(2, "Kiro-2");
  const auto& third = addReceiver(3, "Kiro-3");
  scanned();
  connect(0);
  connect(1);
  const auto screen = open();
  const auto before = screen->tabel()->cellForRow(2);

  for (std::int64_t row : {-1, 3, 40}) screen->didSelectRowAtIndexPath(*screen->tabel(), {row, 0});
  EXPECT_TRUE(alerts.alerts().empty());
  screen->tabel()->selectRow(2);
  const Alert refusal{Text("Can not connect"), Text("A device has connected"), Text("YES")};
  EXPECT_EQ(alerts.alerts(), (std::deque<Alert>{refusal, refusal}));
  EXPECT_EQ(third.connectRequests(), 0);
  EXPECT_EQ(first.cancelRequests() + second.cancelRequests(), 0);
  EXPECT_EQ(remembered(), std::nullopt);
  EXPECT_EQ(screen->tabel()->cellForRow(2), before);
}

TEST_F(DeviceListSelection, ATapOnTheConnectedReceiverItselfRemembersItAndAsksToLetItGo) {
  const auto& first = addReceiver(1, "Kiro-1");
  addReceiver(2, "Kiro-2");
  scanned();
  connect(0);
  const auto screen = open();
  defaults.set("jumpFlag", "1");

  screen->tabel()->selectRow(0);
  EXPECT_TRUE(alerts.alerts().empty());
  EXPECT_EQ(first.cancelRequests(), 1);
  EXPECT_EQ(remembered(),
            (StringDictionary{{"name", "Kiro-1"}, {"uuid", link_test::receiverIdentifier(1).UUIDString()}}));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
}

}  // namespace
}  // namespace kiro::devices_test
