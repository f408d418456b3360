#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/main_screen.h"
#include "platform/ui/navigation_item.h"
#include "platform/ui/screen.h"

namespace kiro {
namespace {

class CountingScreen final : public Screen {
 public:
  CountingScreen() : Screen("counting") {}
  int loads = 0;

 protected:
  void viewDidLoad() override {
    ++loads;
    view()->setHidden(false);  // the root view is usable from inside viewDidLoad
  }
};

TEST(UiScreen, TheRootViewLoadsOnceOnFirstUseAndFillsTheMainScreen) {
  const MainScreen larger{{375, 667}, 2};
  MainScreenScope display(larger);
  auto screen = std::make_shared<CountingScreen>();
  EXPECT_FALSE(screen->isViewLoaded());
  EXPECT_EQ(screen->loads, 0);

  const auto root = screen->view();
  EXPECT_TRUE(screen->isViewLoaded());
  screen->loadViewIfNeeded();
  screen->view();
  EXPECT_EQ(screen->loads, 1);
  EXPECT_EQ(root->frame(), makeRect(0, 0, 375, 667));
}

TEST(UiNavigationItem, ObserverIsToldOfEachChangeAndOfNoneForAnUnchangedValue) {
  NavigationItem item;
  std::vector<NavigationItemProperty> told;
  item.setObserver([&](NavigationItem&, NavigationItemProperty property) { told.push_back(property); });
  const BarButtonItem help{std::make_shared<Button>()};
  const BarButtonItem devices{std::make_shared<Button>()};
  const TitleTextAttributes attributes{{"Arial-BoldMT", 18}, {0.26666668, 0.25882354, 0.26666668, 1}};

  for (int pass = 0; pass < 2; ++pass) {
    item.setTitle("KIRO- Remoter");
    item.setLeftBarButtonItem(help);
    item.setRightBarButtonItem(devices);
    item.setBarTintColor({0.98823529, 0.82745099, 0, 1});
    item.setTitleTextAttributes(attributes);
  }
  item.setRightBarButtonItem(std::nullopt);
  EXPECT_EQ(told, (std::vector<NavigationItemProperty>{
                      NavigationItemProperty::title, NavigationItemProperty::leftBarButtonItem,
                      NavigationItemProperty::rightBarButtonItem, NavigationItemProperty::barTintColor,
                      NavigationItemProperty::titleTextAttributes, NavigationItemProperty::rightBarButtonItem}));
  EXPECT_EQ(item.leftBarButtonItem()->customView, help.customView);
  EXPECT_FALSE(item.rightBarButtonItem().has_value());
}

}  // namespace
}  // namespace kiro
