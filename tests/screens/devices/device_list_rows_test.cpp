#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListRows = DeviceListFixture;

TEST_F(DeviceListRows, AnEmptyRegistryGivesNoRowsBeforeAndAfterTheScanStarts) {
  const auto screen = open();
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  scanned();
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
}

// Rows 0..3: disconnected, connecting, connected, disconnecting.
TEST_F(DeviceListRows, EachRowShowsItsNameAndThePictureOfItsState) {
  addReceiver(1, "Kiro-1");
  auto& connecting = addReceiver(2, "MY KIRO");
  addReceiver(3, "Kiro-3");
  auto& disconnecting = addReceiver(4, "bde spp dev 4");
  scanned();
  connect(2);
  connect(3);
  connecting.setNextConnectionResponse(SimConnectionResponse::neverComplete);
  pick("1");
  pick("3");
  ASSERT_EQ(disconnecting.state(), PeripheralState::disconnecting);

  const auto screen = open();
  EXPECT_EQ(rows(*screen), (std::vector<Row>{disconnectedRow("Kiro-1"), connectingRow("MY KIRO"),
                                             connectedRow("Kiro-3"), disconnectedRow("bde spp dev 4")}));
  const auto cell = screen->tabel()->cellForRow(1);
  EXPECT_EQ(cell->backgroundColor(), std::nullopt);
  EXPECT_EQ(cell->selectionStyle(), TableViewCellSelectionStyle::none);
  const auto& parts = cell->contentView()->subviews();
  EXPECT_EQ(std::dynamic_pointer_cast<ImageView>(parts[0])->image(), "img_beijing.png");
  EXPECT_EQ(frames(*cell->contentView()),
            (std::vector<Rect>{makeRect(0, 0, 375, 54), makeRect(15, 18, 175, 20), makeRect(330, 10, 30, 30)}));
  const auto status = std::dynamic_pointer_cast<ImageView>(parts[2]);
  EXPECT_EQ(status->animationDuration(), 1500ms);
  EXPECT_EQ(status->animationRepeatCount(), 0u);
}

TEST_F(DeviceListRows, ARowShowsTheStateItsReceiverHadAtTheLastUpdate) {
  addReceiver(1, "Kiro-1");
  scanned();
  const auto screen = open();
  EXPECT_EQ(rows(*screen), std::vector<Row>{disconnectedRow("Kiro-1")});

  // The request's own update already finds it connecting; later ones, connected.
  pick("0");
  EXPECT_EQ(rows(*screen), std::vector<Row>{connectingRow("Kiro-1")});
  loop.advance(2s);
  EXPECT_EQ(rows(*screen), std::vector<Row>{connectedRow("Kiro-1")});
}

TEST_F(DeviceListRows, CellsAreNamedByRowThenSectionAndRowsPastTheListAreBlank) {
  addReceiver(1, "Kiro-1");
  scanned();
  const auto screen = open();
  for (const auto& [indexPath, identifier] : std::vector<std::pair<IndexPath, std::string>>{
           {{0, 0}, "cell00"}, {{3, 0}, "cell30"}, {{12, 1}, "cell121"}}) {
    const auto cell = screen->cellForRowAtIndexPath(*screen->tabel(), indexPath);
    EXPECT_EQ(cell->reuseIdentifier(), identifier);
    EXPECT_EQ(cell->backgroundColor(), std::nullopt) << identifier;
    EXPECT_EQ(cell->contentView()->subviews().empty(), indexPath.row != 0) << identifier;
  }
}

// Before the first update there is no list; a list that arrives after a scan start has
// emptied the name list is longer than it.
TEST_F(DeviceListRows, MissingListsAndNamesShowAndPickNothing) {
  addReceiver(1, "Kiro-1");
  addReceiver(2, "Kiro-2");
  auto& link = scanned();
  const auto unloaded = std::make_shared<ViewController>();
  auto& table = *unloaded->tabel();
  EXPECT_EQ(unloaded->numberOfRowsInSection(table, 0), 0);
  EXPECT_TRUE(unloaded->cellForRowAtIndexPath(table, {0, 0})->contentView()->subviews().empty());
  unloaded->didSelectRowAtIndexPath(table, {0, 0});

  const auto screen = open();
  const auto earlier = link.arr();
  link.startBlueYooth();
  center.post("update", {{"arrKey", earlier}});
  EXPECT_EQ(rows(*screen), (std::vector<Row>{Row{}, Row{}}));
  screen->tabel()->selectRow(1);
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(remembered(), std::nullopt);

  center.post("update");
  EXPECT_EQ(screen->arr(), nullptr);
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
}

}  // namespace
}  // namespace kiro::devices_test
