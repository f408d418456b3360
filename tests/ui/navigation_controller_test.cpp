#include "ui/navigation_controller.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/main_screen.h"
#include "ui/window_size.h"

namespace kiro {
namespace {

TEST(UiNavigation, TheBottomScreenIsNeverPoppedAndBadRequestsChangeNothing) {
  const MainScreen display;
  MainScreenScope displayScope(display);
  const auto remote = std::make_shared<Screen>("remote");
  NavigationController nav(remote);
  int changes = 0;
  nav.setObserver([&](NavigationChange, bool) { ++changes; });
  EXPECT_EQ(nav.popViewControllerAnimated(true), nullptr);
  nav.pushViewController(nullptr, true);
  nav.setViewControllers({}, false);
  nav.setViewControllers({remote, nullptr}, false);
  nav.popToViewController(std::make_shared<Screen>("stranger"), true);
  nav.popToViewController(remote, true);
  EXPECT_EQ(nav.viewControllers(), std::vector<std::shared_ptr<Screen>>{remote});
  EXPECT_EQ(changes, 0);
  // A screen's root view fills the display.
  EXPECT_EQ(remote->view()->frame(), (Rect{{0, 0}, display.bounds}));
}

// The window's size reaches the front screen now and every other as it comes to the front.
// A screen built for the phone keeps it as a column in the middle; what spans the phone (a
// background) spans the window.
TEST(UiNavigation, TheWindowsSizeReachesEachScreenInFrontWhichKeepsACentredColumn) {
  const MainScreen display;
  MainScreenScope displayScope(display);
  const auto remote = std::make_shared<Screen>("remote");
  NavigationController nav(remote);
  const auto background = std::make_shared<View>(makeRect(0, 0, 320, 568));
  const auto button = std::make_shared<View>(makeRect(20, 80, 280, 36));
  remote->view()->addSubview(background);
  remote->view()->addSubview(button);
  nav.setViewSize({1000, 600});
  EXPECT_EQ(background->frame(), makeRect(0, 0, 1000, 600));
  EXPECT_EQ(button->frame(), makeRect(360, 80, 280, 36));
  const auto about = std::make_shared<Screen>("about");
  nav.pushViewController(about, false);
  EXPECT_EQ(about->view()->frame(), makeRect(0, 0, 1000, 600));
  nav.setViewSize(display.bounds);
  nav.popViewControllerAnimated(false);
  EXPECT_EQ(button->frame(), makeRect(20, 80, 280, 36));
}

// A window of the phone's shape, give or take a pixel of rounding, keeps the phone's size;
// one with more room gets it in whole points, at the scale that fits the phone.
TEST(UiNavigation, AWindowLaysOutAtTheRoomItHasAtThePhonesScale) {
  EXPECT_EQ(layoutSize({375, 667}, {375, 667}), (Size{375, 667}));
  EXPECT_EQ(layoutSize({100, 177}, {375, 667}), (Size{375, 667}));  // fitted to a tiny screen
  EXPECT_EQ(layoutSize({1600, 1000}, {375, 667}), (Size{1066, 667}));
  EXPECT_EQ(layoutSize({360, 1000}, {375, 667}), (Size{375, 1040}));
}

}  // namespace
}  // namespace kiro
