#include "platform/ui/button.h"
#include "tests/screens/devices/device_list_fixture.h"

namespace kiro::devices_test {
namespace {

using DeviceListScreen = DeviceListFixture;

class RecordingNavigation final : public DeviceListNavigation {
 public:
  void jump3(ViewController& from) override { backFrom.push_back(&from); }
  std::vector<ViewController*> backFrom;
};

std::shared_ptr<Button> barButton(const std::optional<BarButtonItem>& item) {
  return item ? std::dynamic_pointer_cast<Button>(item->customView) : nullptr;
}

TEST_F(DeviceListScreen, LoadingBuildsTheBackgroundHeadersTableAndBar) {
  const auto screen = open();
  const auto& parts = screen->view()->subviews();
  EXPECT_EQ(screen->view()->backgroundColor(), std::nullopt);
  EXPECT_EQ(frames(*screen->view()), (std::vector<Rect>{makeRect(0, 0, 375, 667), makeRect(15, 80, 150, 20),
                                                        makeRect(250, 80, 100, 20), makeRect(0, 116, 375, 551)}));
  EXPECT_EQ(std::dynamic_pointer_cast<ImageView>(parts[0])->image(), "bj.png");
  const std::pair<const char*, TextAlignment> headers[] = {{"    Device", TextAlignment::left},
                                                           {"Status", TextAlignment::right}};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto label = std::dynamic_pointer_cast<Label>(parts[i + 1]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), headers[i].first);
    EXPECT_EQ(label->textAlignment(), headers[i].second);
    EXPECT_EQ(label->textColor(), Color::white());
    EXPECT_EQ(label->font(), (Font{"", 16}));
  }
  const auto& table = *screen->tabel();
  EXPECT_EQ(parts[3], screen->tabel());
  EXPECT_EQ(table.rowHeight(), 52);
  EXPECT_EQ(table.separatorStyle(), TableViewCellSeparatorStyle::none);
  EXPECT_EQ(table.backgroundColor(), std::nullopt);

  auto& item = screen->navigationItem();
  EXPECT_EQ(item.title(), "Bluetooth Device");
  EXPECT_EQ(item.titleTextAttributes(),
            (TitleTextAttributes{{"Arial-BoldMT", 18}, {68 / 255.0, 66 / 255.0, 68 / 255.0, 1}}));
  const auto back = barButton(item.leftBarButtonItem());
  const auto refresh = barButton(item.rightBarButtonItem());
  ASSERT_TRUE(back && refresh);
  EXPECT_EQ(back->frame(), makeRect(30, 0, 12, 20));
  EXPECT_EQ(back->image(ControlState::normal), "后退.png");
  EXPECT_EQ(refresh->frame(), makeRect(30, 0, 22, 19));
  EXPECT_EQ(refresh->image(ControlState::normal), "刷新.png");
  EXPECT_EQ(refresh->image(ControlState::highlighted), "刷新点击.png");

  EXPECT_TRUE(log.contains("设备的宽为:375.000000,高为:667.000000"));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
}

TEST_F(DeviceListScreen, BackAsksTheShellAndRefreshSearchesAfresh) {
  auto& receiver = addReceiver(1, "Kiro-1");
  scanned();
  connect(0);
  const auto screen = open();
  const auto back = barButton(screen->navigationItem().leftBarButtonItem());
  const auto refresh = barButton(screen->navigationItem().rightBarButtonItem());
  ASSERT_TRUE(back && refresh);
  back->sendActions(ControlEvent::touchUpInside);
  const auto navigation = std::make_shared<RecordingNavigation>();
  screen->setNavigation(navigation);
  back->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(navigation->backFrom, std::vector<ViewController*>{screen.get()});

  // The connection drops, the list empties at once and refills as the search finds it.
  refresh->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(rows(*screen), std::vector<Row>{disconnectedRow("Kiro-1")});
}

TEST_F(DeviceListScreen, AClosedScreenNoLongerListensOrActs) {
  addReceiver(1, "Kiro-1");
  scanned();
  auto screen = open();
  const auto refresh = barButton(screen->navigationItem().rightBarButtonItem());
  const auto table = screen->tabel();
  screen.reset();
  manager().radioArr();
  refresh->sendActions(ControlEvent::touchUpInside);
  table->reloadData();
  table->selectRow(0);
  EXPECT_EQ(manager().arr()->size(), 1u);
  EXPECT_TRUE(requests.empty());
}

}  // namespace
}  // namespace kiro::devices_test
