#include "platform/ui/navigation_controller.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/ui/main_screen.h"

namespace kiro {
namespace {

class CountingScreen final : public Screen {
 public:
  explicit CountingScreen(std::string name) : Screen(std::move(name)) {}
  int loads = 0;

 protected:
  void viewDidLoad() override { ++loads; }
};

std::vector<std::string> names(const NavigationController& nav) {
  std::vector<std::string> out;
  for (const auto& screen : nav.viewControllers()) out.push_back(screen->name());
  return out;
}

// Screens fill the display when their view loads.
class UiNavigation : public ::testing::Test {
 protected:
  const MainScreen display;
  MainScreenScope displayScope{display};
};

TEST_F(UiNavigation, OnlyAScreenThatReachesTheTopLoadsAndItLoadsOnce) {
  auto remote = std::make_shared<CountingScreen>("remote");
  auto about = std::make_shared<CountingScreen>("about");
  auto devices = std::make_shared<CountingScreen>("devices");
  NavigationController nav(remote);
  EXPECT_EQ(remote->loads, 0);
  nav.display();
  EXPECT_EQ(remote->loads, 1);
  nav.setViewControllers({about, devices, remote}, false);
  nav.popToViewController(about, true);
  EXPECT_EQ(names(nav), (std::vector<std::string>{"about"}));
  EXPECT_EQ(about->loads, 1);
  EXPECT_EQ(devices->loads, 0);
  nav.pushViewController(remote, true);
  EXPECT_EQ(remote->loads, 1);
}

TEST_F(UiNavigation, TheBottomScreenIsNeverPoppedAndBadRequestsChangeNothing) {
  auto remote = std::make_shared<CountingScreen>("remote");
  NavigationController nav(remote);
  std::vector<NavigationChange> changes;
  nav.setObserver([&](NavigationChange change, bool) { changes.push_back(change); });
  EXPECT_EQ(nav.popViewControllerAnimated(true), nullptr);
  nav.pushViewController(nullptr, true);
  nav.setViewControllers({}, false);
  nav.setViewControllers({remote, nullptr}, false);
  nav.popToViewController(std::make_shared<CountingScreen>("stranger"), true);
  nav.popToViewController(remote, true);
  EXPECT_EQ(names(nav), (std::vector<std::string>{"remote"}));
  EXPECT_TRUE(changes.empty());
}

TEST_F(UiNavigation, ObserverHearsEachChangeWithItsAnimationFlag) {
  auto remote = std::make_shared<CountingScreen>("remote");
  NavigationController nav(remote);
  std::vector<std::pair<NavigationChange, bool>> changes;
  nav.setObserver([&](NavigationChange change, bool animated) { changes.emplace_back(change, animated); });
  auto devices = std::make_shared<CountingScreen>("devices");
  nav.pushViewController(devices, true);
  EXPECT_EQ(nav.popViewControllerAnimated(true), devices);
  nav.setViewControllers({devices}, false);
  EXPECT_EQ(changes, (std::vector<std::pair<NavigationChange, bool>>{
                         {NavigationChange::push, true}, {NavigationChange::pop, true}, {NavigationChange::replace, false}}));
}

}  // namespace
}  // namespace kiro
