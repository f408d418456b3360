#include "platform/ui/button.h"
#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListRows = DeviceListFixture;
using Rows = std::vector<std::string>;

TEST_F(DeviceListRows, EachRowShowsItsNameAndThePictureOfItsState) {
  addReceiver(1, "Kiro-1");
  auto& connecting = addReceiver(2, "MY KIRO");
  addReceiver(3, "Kiro-3");
  auto& disconnecting = addReceiver(4, "bde spp dev 4");
  const auto screen = open();
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  scanned();
  connect(2);
  connect(3);
  connecting.setNextConnectionResponse(SimConnectionResponse::neverComplete);
  pick("1");
  pick("3");
  ASSERT_EQ(disconnecting.state(), PeripheralState::disconnecting);
  EXPECT_EQ(rows(*screen), (Rows{"Kiro-1 未连接.png", "MY KIRO animating", "Kiro-3 连接.png",
                                 "bde spp dev 4 未连接.png"}));

  EXPECT_EQ(screen->tabel()->cellForRow(1)->frame(), makeRect(0, 52, 375, 52));
  EXPECT_EQ(screen->tabel()->cellForRow(1)->selectionStyle(), TableViewCellSelectionStyle::none);
  const auto& parts = screen->tabel()->cellForRow(1)->contentView()->subviews();
  std::vector<Rect> frames;
  for (const auto& part : parts) frames.push_back(part->frame());
  EXPECT_EQ(frames, (std::vector<Rect>{makeRect(0, 0, 375, 54), makeRect(15, 18, 175, 20), makeRect(330, 10, 30, 30)}));
  const auto status = std::dynamic_pointer_cast<ImageView>(parts[2]);
  EXPECT_EQ(status->animationImages(), (std::vector<std::string>{"连接中1", "连接中2", "连接中3"}));
  EXPECT_EQ(status->animationDuration(), 1500ms);
  EXPECT_EQ(status->animationRepeatCount(), 0u);
  const auto blank = screen->cellForRowAtIndexPath(*screen->tabel(), {12, 1});
  EXPECT_EQ(blank->reuseIdentifier(), "cell121");
  EXPECT_TRUE(blank->contentView()->subviews().empty());
  EXPECT_EQ(blank->backgroundColor(), std::nullopt);
}

// Before the first update there is no list; a list that arrives after a scan start has
// emptied the name list is longer than it.
TEST_F(DeviceListRows, MissingListsAndNamesShowAndPickNothing) {
  addReceiver(1, "Kiro-1");
  addReceiver(2, "Kiro-2");
  auto& link = scanned();
  const auto unloaded = std::make_shared<ViewController>();
  EXPECT_EQ(unloaded->numberOfRowsInSection(*unloaded->tabel(), 0), 0);
  unloaded->didSelectRowAtIndexPath(*unloaded->tabel(), {0, 0});

  const auto screen = open();
  const auto earlier = link.arr();
  link.startBlueYooth();
  center.post("update", {{"arrKey", earlier}});
  EXPECT_EQ(rows(*screen), (Rows{"", ""}));
  screen->tabel()->selectRow(1);
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(remembered(), std::nullopt);
  center.post("update");
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
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(rows(*screen), Rows{"Kiro-1 未连接.png"});
}

}  // namespace
}  // namespace kiro::devices_test
