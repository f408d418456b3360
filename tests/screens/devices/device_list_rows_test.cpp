#include "ui/button.h"
#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListRows = DeviceListFixture;
using Rows = std::vector<std::string>;

// Before the first update there is no list; a list that arrives after a scan start has
// emptied the name list is longer than it.
TEST_F(DeviceListRows, MissingListsAndNamesShowAndPickNothing) {
  const auto& first = addReceiver(1, "Kiro-1");
  const auto& second = addReceiver(2, "Kiro-2");
  auto& link = scanned();
  const auto unloaded = std::make_shared<ViewController>();
  EXPECT_EQ(unloaded->numberOfRowsInSection(*unloaded->tabel(), 0), 0);
  EXPECT_EQ(unloaded->tabel()->numberOfRows(), 0);
  unloaded->didSelectRowAtIndexPath(*unloaded->tabel(), {0, 0});

  const auto screen = open();
  const auto earlier = link.arr();
  link.startBlueYooth();
  screen->change(earlier);
  loop.runDue();
  EXPECT_EQ(rows(*screen), (Rows{"", ""}));
  screen->tabel()->selectRow(1);
  EXPECT_EQ(first.connectRequests() + second.connectRequests(), 0);
  EXPECT_EQ(remembered(), std::nullopt);
  screen->change(nullptr);
  loop.runDue();
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
}

TEST_F(DeviceListRows, OpeningResetsJumpFlagAndRefreshDropsTheConnectionAndListsAfresh) {
  auto& receiver = addReceiver(1, "Kiro-1");
  scanned();
  connect(0);
  const auto screen = open();
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
  std::dynamic_pointer_cast<Button>(screen->navigationItem().rightBarButtonItem()->customView)
      ->sendActions(ControlEvent::touchUpInside);
  loop.runDue();
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(rows(*screen), Rows{"Kiro-1 未连接.png"});
  screen->tabel()->selectRow(0);  // connecting again: the row's picture turns
  loop.runDue();
  EXPECT_EQ(rows(*screen), Rows{"Kiro-1 animating"});
}

}  // namespace
}  // namespace kiro::devices_test
