#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using AppLaunch = AppShellFixture;

TEST_F(AppLaunch, ShowsTheRemoteScreenAndMakesNoBluetoothObjectUntilTheWindowDrawsIt) {
  ASSERT_TRUE(delegate->didFinishLaunchingWithOptions());
  EXPECT_EQ(loop.now(), 1ms);  // the blocking sleep at launch
  EXPECT_TRUE(application.isIdleTimerDisabled());
  EXPECT_TRUE(delegate->window()->isKeyWindow());
  EXPECT_EQ(delegate->window()->frame(), makeRect(0, 0, 320, 568));
  EXPECT_EQ(stack(), std::vector<std::string>{"remote"});
  EXPECT_FALSE(singleton::sharedExists());
  delegate->window()->display();
  EXPECT_TRUE(delegate->remote()->isViewLoaded());
  EXPECT_EQ(singleton::defaultManager().connectionFlag(), 1);
}

class ScreenNavigation : public AppShellFixture {
 protected:
  void SetUp() override {
    AppShellFixture::SetUp();
    launch();
    loop.advance(1100ms);
  }
  std::int32_t flag() { return singleton::defaultManager().connectionFlag(); }
};

using Stack = std::vector<std::string>;

// The search and help buttons sit right and left on the remote screen, back on the left
// of the others. Leaving the remote screen lets a held R go; the remote screen is one
// instance all along, while each search and each help makes new screens.
TEST_F(ScreenNavigation, EveryStateOfTheStackIsReachedAndTheFlagFollowsIt) {
  const auto remote = delegate->remote();
  int listsLoaded = 0;
  const Subscription loading = singleton::defaultManager().onUpdate([&](const SharedPeripheralList&) { ++listsLoaded; });
  const struct {
    bool left;
    Stack stack;
    std::int32_t flag;
  } taps[] = {
      {false, {"remote", "devices"}, 0},         {true, {"remote"}, 1},
      {true, {"about"}, 1},                      {true, {"about", "remote"}, 1},
      {false, {"about", "remote", "devices"}, 0}, {true, {"about", "remote"}, 1},
      {true, {"about"}, 1},
  };
  std::vector<std::shared_ptr<Screen>> fronts;
  for (const auto& tap : taps) {
    if (navigation().topViewController() == remote) remote->writeButton2()->sendActions(ControlEvent::touchDown);
    tapBar(tap.left);
    EXPECT_EQ(stack(), tap.stack);
    EXPECT_EQ(flag(), tap.flag);
    // R held as the screen is left is let go as its touch-up does, never cut without its notice.
    EXPECT_EQ(remote->byteArray().text(), "01000000");
    fronts.push_back(navigation().topViewController());
  }
  EXPECT_EQ(fronts[3], remote);
  EXPECT_EQ(singleton::defaultManager().mainView(), remote);
  EXPECT_NE(fronts[0], fronts[4]);
  EXPECT_NE(fronts[2], fronts[6]);
  EXPECT_EQ(listsLoaded, 2) << "only the lists in front load";
  loop.advance(3s);
  EXPECT_EQ(radio.scanRequests(), 1);
}

// The remembered receiver is left alone while the list is in front (the user is picking).
TEST_F(ScreenNavigation, BackFromTheListAsksForAnUpdateHalfASecondLaterThatReconnectsTheRememberedReceiver) {
  auto& receiver = radio.addReceiver(std::string("Kiro-7"));
  defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver.identifier().UUIDString()}});
  tapBar(false);
  const std::weak_ptr<Screen> list = navigation().topViewController();
  loop.advance(500ms);
  tapBar(true);
  loop.advance(499ms);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_FALSE(list.expired());  // kept alive by the pending call
  loop.advance(1ms);
  EXPECT_EQ(receiver.state(), PeripheralState::connecting);
  loop.advance(100ms);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_TRUE(list.expired());
}

}  // namespace
}  // namespace kiro::app_test
