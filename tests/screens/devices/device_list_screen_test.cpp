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

Button& barButton(const std::optional<BarButtonItem>& item) {
  EXPECT_TRUE(item.has_value());
  auto button = std::dynamic_pointer_cast<Button>(item->customView);
  EXPECT_NE(button, nullptr);
  return *button;
}

TEST_F(DeviceListScreen, LoadingLaysOutTheBackgroundHeadersAndTable) {
  const auto screen = open();
  const auto& parts = screen->view()->subviews();
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(screen->view()->backgroundColor(), std::nullopt);

  const auto background = std::dynamic_pointer_cast<ImageView>(parts[0]);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->image(), "bj.png");
  EXPECT_EQ(background->frame(), makeRect(0, 0, 375, 667));

  struct Header {
    std::string text;
    Rect frame;
    TextAlignment alignment;
  };
  const Header headers[] = {{"    Device", makeRect(15, 80, 150, 20), TextAlignment::left},
                            {"Status", makeRect(250, 80, 100, 20), TextAlignment::right}};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto label = std::dynamic_pointer_cast<Label>(parts[i + 1]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), headers[i].text);
    EXPECT_EQ(label->frame(), headers[i].frame);
    EXPECT_EQ(label->textAlignment(), headers[i].alignment);
    EXPECT_EQ(label->textColor(), Color::white());
    EXPECT_EQ(label->font(), (Font{"", 16}));
  }

  const auto& table = *screen->tabel();
  EXPECT_EQ(parts[3], screen->tabel());
  EXPECT_EQ(table.frame(), makeRect(0, 116, 375, 551));
  EXPECT_EQ(table.rowHeight(), 52);
  EXPECT_EQ(table.separatorStyle(), TableViewCellSeparatorStyle::none);
  EXPECT_EQ(table.backgroundColor(), std::nullopt);
  EXPECT_TRUE(log.contains("设备的宽为:375.000000,高为:667.000000"));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
}

TEST_F(DeviceListScreen, TheBarCarriesTitleBackAndRefresh) {
  const auto screen = open();
  auto& item = screen->navigationItem();
  EXPECT_EQ(item.title(), "Bluetooth Device");
  EXPECT_EQ(item.titleTextAttributes(),
            (TitleTextAttributes{{"Arial-BoldMT", 18}, {68 / 255.0, 66 / 255.0, 68 / 255.0, 1}}));

  auto& back = barButton(item.leftBarButtonItem());
  EXPECT_EQ(back.frame(), makeRect(30, 0, 12, 20));
  EXPECT_EQ(back.image(ControlState::normal), "后退.png");
  auto& refresh = barButton(item.rightBarButtonItem());
  EXPECT_EQ(refresh.frame(), makeRect(30, 0, 22, 19));
  EXPECT_EQ(refresh.image(ControlState::normal), "刷新.png");
  EXPECT_EQ(refresh.image(ControlState::highlighted), "刷新点击.png");
}

TEST_F(DeviceListScreen, BackAsksTheShellWhenOneIsSet) {
  const auto screen = open();
  auto& back = barButton(screen->navigationItem().leftBarButtonItem());
  back.sendActions(ControlEvent::touchUpInside);

  const auto navigation = std::make_shared<RecordingNavigation>();
  screen->setNavigation(navigation);
  back.sendActions(ControlEvent::touchDown);
  back.sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(navigation->backFrom, std::vector<ViewController*>{screen.get()});
}

TEST_F(DeviceListScreen, RefreshDropsTheConnectionEmptiesTheListAndRefillsIt) {
  auto& receiver = addReceiver(1, "Kiro-1");
  scanned();
  connect(0);
  const auto screen = open();
  ASSERT_EQ(rows(*screen), std::vector<Row>{connectedRow("Kiro-1")});

  barButton(screen->navigationItem().rightBarButtonItem()).sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(screen->tabel()->numberOfRows(), 0);
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(rows(*screen), std::vector<Row>{disconnectedRow("Kiro-1")});
}

TEST_F(DeviceListScreen, AClosedScreenNoLongerListensOrActs) {
  addReceiver(1, "Kiro-1");
  scanned();
  auto screen = open();
  const auto refresh = std::dynamic_pointer_cast<Button>(screen->navigationItem().rightBarButtonItem()->customView);
  ASSERT_NE(refresh, nullptr);
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
