#include "ui/navigation_controller.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/main_screen.h"

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

}  // namespace
}  // namespace kiro
