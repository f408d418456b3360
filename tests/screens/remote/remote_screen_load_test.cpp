#include <memory>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/image_view.h"
#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

class RemoteScreenLoad : public RemoteScreenFixture {};

class RecordingNavigation final : public RemoteNavigation {
 public:
  void jumpAbout(cameraViewController& from) override { calls.push_back("jumpAbout " + from.name()); }
  void jump2(cameraViewController& from) override { calls.push_back("jump2 " + from.name()); }
  std::vector<std::string> calls;
};

TEST_F(RemoteScreenLoad, BuildsTheScreenOnA320By568Display) {
  const auto& root = *screen->view();
  EXPECT_EQ(root.backgroundColor(), Color::white());
  const auto& views = root.subviews();
  ASSERT_EQ(views.size(), 7u);
  const auto background = std::dynamic_pointer_cast<ImageView>(views[0]);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->image(), "bj.png");
  EXPECT_EQ(background->frame(), makeRect(0, 0, 320, 568));
  EXPECT_EQ(views[1], screen->imageLamp01());
  EXPECT_EQ(views[2], screen->imageLamp02());
  EXPECT_EQ(views[3], screen->imageLamp03());
  EXPECT_EQ(views[4], screen->writeButton());
  EXPECT_EQ(views[5], screen->writeButton2());
  EXPECT_EQ(views[6], screen->testLabel());

  EXPECT_EQ(screen->imageLamp01()->frame(), makeRect(50, 128, 40, 40));
  EXPECT_EQ(screen->imageLamp02()->frame(), makeRect(140, 128, 40, 40));
  EXPECT_EQ(screen->imageLamp03()->frame(), makeRect(230, 128, 40, 40));
  for (const auto& lamp : {screen->imageLamp01(), screen->imageLamp02(), screen->imageLamp03()})
    EXPECT_EQ(lamp->image(), "灰色.png");

  const auto& f = *screen->writeButton();
  const auto& r = *screen->writeButton2();
  EXPECT_EQ(f.frame(), makeRect(32, 348, 96, 96));
  EXPECT_EQ(r.frame(), makeRect(192, 348, 96, 96));
  EXPECT_EQ(f.image(ControlState::normal), "对焦.png");
  EXPECT_EQ(f.image(ControlState::highlighted), "对焦点击.png");
  EXPECT_EQ(r.image(ControlState::normal), "拍照.png");
  EXPECT_FALSE(f.adjustsImageWhenHighlighted());
  EXPECT_FALSE(r.adjustsImageWhenHighlighted());

  const auto& label = *screen->testLabel();
  const Color yellow{0.98823529, 0.82745099, 0, 1};
  EXPECT_EQ(label.frame(), makeRect(100, 238, 120, 20));
  EXPECT_EQ(label.text(), "disconnected");
  EXPECT_EQ(label.font(), (Font{"Arial-BoldMT", 18}));
  EXPECT_EQ(label.textColor(), yellow);
  EXPECT_EQ(label.textAlignment(), TextAlignment::center);

  auto& item = screen->navigationItem();
  EXPECT_EQ(item.title(), "KIRO- Remoter");
  EXPECT_EQ(item.barTintColor(), yellow);
  EXPECT_EQ(item.titleTextAttributes(),
            (TitleTextAttributes{{"Arial-BoldMT", 18}, {0.26666668, 0.25882354, 0.26666668, 1}}));
  EXPECT_EQ(screen->jumpFlag(), 1);
  EXPECT_EQ(screen->byteArray(), (std::vector<std::string>{"0", "0", "0", "0"}));
  EXPECT_TRUE(log.contains("1:174.000000"));
  EXPECT_TRUE(log.contains("3:160.000000"));
}

TEST_F(RemoteScreenLoad, BarButtonsAskTheNavigationAndDoNothingWithoutOne) {
  screen->loadViewIfNeeded();
  auto& item = screen->navigationItem();
  const auto help = std::dynamic_pointer_cast<Button>(item.leftBarButtonItem()->customView);
  const auto devices = std::dynamic_pointer_cast<Button>(item.rightBarButtonItem()->customView);
  ASSERT_NE(help, nullptr);
  ASSERT_NE(devices, nullptr);
  EXPECT_EQ(help->frame(), makeRect(30, 0, 22, 22));
  EXPECT_EQ(help->image(ControlState::normal), "问号.png");
  EXPECT_EQ(help->image(ControlState::highlighted), "问号点击.png");
  EXPECT_EQ(devices->image(ControlState::normal), "搜索蓝牙.png");
  EXPECT_EQ(devices->image(ControlState::highlighted), "搜索蓝牙点击.png");

  touchF(ControlEvent::touchDown);
  help->sendActions(ControlEvent::touchUpInside);
  devices->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(screen->byteArray()[3], "1");

  auto navigation = std::make_shared<RecordingNavigation>();
  screen->setNavigation(navigation);
  devices->sendActions(ControlEvent::touchDown);
  devices->sendActions(ControlEvent::touchUpInside);
  help->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(navigation->calls, (std::vector<std::string>{"jumpAbout remote", "jump2 remote"}));

  navigation.reset();
  help->sendActions(ControlEvent::touchUpInside);
}

TEST_F(RemoteScreenLoad, TheScreenOutlivesItsOwnersWhileThePumpRuns) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  const std::weak_ptr<cameraViewController> held = screen;
  touchF(ControlEvent::touchDown);
  screen.reset();
  loop.advance(100ms);
  EXPECT_FALSE(held.expired());
  EXPECT_EQ(takeBytes(receiver), Bytes(4, 0x10));
}

}  // namespace
}  // namespace kiro::remote_test
