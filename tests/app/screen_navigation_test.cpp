#include <gtest/gtest.h>

#include "tests/app/app_shell_fixture.h"
#include "screens/devices/view_controller.h"

namespace kiro::app_test {
namespace {

class ScreenNavigation : public AppShellFixture {
 protected:
  void SetUp() override {
    AppShellFixture::SetUp();
    launch();
    loop.advance(1100ms);
  }
  std::int32_t flag() { return singleton::defaultManager().connectionFlag(); }
  void tapSearch() { tapBar(false); }
  void tapHelp() { tapBar(true); }
  void tapBack() { tapBar(true); }
};

using Stack = std::vector<std::string>;

TEST_F(ScreenNavigation, EveryStateOfTheStackIsReachedAndTheFlagFollowsIt) {
  EXPECT_EQ(flag(), 1);
  tapSearch();  // Remote -> Remote + List
  EXPECT_EQ(stack(), (Stack{"remote", "devices"}));
  EXPECT_EQ(flag(), 0);
  tapBack();  // -> Remote
  EXPECT_EQ(stack(), (Stack{"remote"}));
  EXPECT_EQ(flag(), 1);
  tapHelp();  // -> About
  EXPECT_EQ(stack(), (Stack{"about"}));
  EXPECT_EQ(flag(), 1);
  tapBack();  // About's back -> About + Remote
  EXPECT_EQ(stack(), (Stack{"about", "remote"}));
  EXPECT_EQ(flag(), 1);
  tapSearch();  // -> About + Remote + List
  EXPECT_EQ(stack(), (Stack{"about", "remote", "devices"}));
  EXPECT_EQ(flag(), 0);
  tapBack();  // -> About + Remote
  EXPECT_EQ(stack(), (Stack{"about", "remote"}));
  EXPECT_EQ(flag(), 1);
  tapHelp();  // jump2 from About + Remote -> a fresh About alone
  EXPECT_EQ(stack(), (Stack{"about"}));
  EXPECT_EQ(flag(), 1);
}

TEST_F(ScreenNavigation, TheRemoteScreenIsOneInstanceThatNeverReloadsOrScansAgain) {
  auto remote = delegate->remote();
  tapHelp();
  EXPECT_EQ(singleton::defaultManager().mainView(), remote);
  auto firstAbout = navigation().topViewController();
  tapBack();
  EXPECT_EQ(navigation().topViewController(), remote);
  tapHelp();
  EXPECT_NE(navigation().topViewController(), firstAbout);
  tapBack();
  EXPECT_EQ(navigation().topViewController(), remote);
  loop.advance(3000ms);
  EXPECT_EQ(postsOf("正在查找蓝牙设备"), 1);
}

TEST_F(ScreenNavigation, OpeningAboutClearsTheFrameAndTheRemoteScreenComesBackCleared) {
  auto remote = delegate->remote();
  remote->writeButton2()->sendActions(ControlEvent::touchDown);  // R held
  EXPECT_EQ(remote->byteArray(), (std::vector<std::string>{"0", "0", "1", "1"}));
  tapHelp();
  EXPECT_EQ(remote->byteArray(), (std::vector<std::string>{"0", "0", "0", "0"}));
  tapBack();
  EXPECT_EQ(remote->byteArray(), (std::vector<std::string>{"0", "0", "0", "0"}));
}

TEST_F(ScreenNavigation, TheDiscardedListOfJump2NeverLoads) {
  // Had the list loaded, its view would have asked for an "update".
  const auto updatesBefore = postsOf("刷新列表广播发送");
  tapHelp();
  EXPECT_EQ(stack(), (Stack{"about"}));
  EXPECT_EQ(postsOf("刷新列表广播发送"), updatesBefore);
}

TEST_F(ScreenNavigation, BackFromTheListPostsOneUpdateHalfASecondLaterEvenWhenTheListIsGone) {
  tapSearch();
  std::weak_ptr<Screen> list = navigation().topViewController();
  int updates = 0;
  auto counter = center.addObserver("update", [&](const Notification&) { ++updates; });
  tapBack();
  EXPECT_EQ(stack(), (Stack{"remote"}));
  loop.advance(499ms);
  EXPECT_EQ(updates, 0);
  EXPECT_FALSE(list.expired());  // kept alive by the pending call
  loop.advance(1ms);
  EXPECT_EQ(updates, 1);
  EXPECT_TRUE(list.expired());
  EXPECT_EQ(postsOf("正在查找蓝牙设备"), 1);
}

TEST_F(ScreenNavigation, EachSearchMakesANewDeviceList) {
  tapSearch();
  auto first = navigation().topViewController();
  tapBack();
  tapSearch();
  EXPECT_NE(navigation().topViewController(), first);
}

TEST_F(ScreenNavigation, WhileTheListIsInFrontTheRememberedReceiverIsNotReconnected) {
  auto& receiver = radio.addReceiver(std::string("Kiro-7"));
  defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver.identifier().UUIDString()}});
  tapSearch();
  loop.advance(500ms);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  tapBack();
  loop.advance(600ms);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
}

}  // namespace
}  // namespace kiro::app_test
