#include "ui/ui_events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/main_screen.h"

namespace kiro {
namespace {

TEST(UiEvents, EverySubscriberHearsEveryScreenShownSoFarTheStackAndAlertsUntilItLeaves) {
  const MainScreen display;
  MainScreenScope displayScope(display);
  const auto remote = std::make_shared<Screen>("remote");
  const auto navigation = std::make_shared<NavigationController>(remote);
  navigation->display();
  AlertQueue alerts;
  auto ui = std::make_unique<UiEvents>(navigation, alerts);
  std::string first, second;  // 'v' a view, 's' the stack, 'a' the alerts
  const auto hearing = [](std::string& heard) {
    return UiListener{[&heard](View&, ViewProperty) { heard += 'v'; }, [&heard](NavigationChange, bool) { heard += 's'; },
                      [&heard] { heard += 'a'; }};
  };
  auto keep = ui->subscribe(hearing(first));
  auto leave = ui->subscribe(hearing(second));
  const auto below = std::make_shared<Screen>("about");
  navigation->setViewControllers({below, remote}, false);  // a screen below that was never shown stays unloaded
  navigation->pushViewController(std::make_shared<Screen>("devices"), true);
  navigation->topViewController()->view()->setHidden(true);
  alerts.show(Alert{Text::verbatim("t"), Text::verbatim("m"), Text("YES")});
  alerts.show(Alert{Text::verbatim("t2"), Text::verbatim("m2"), Text("YES")});
  leave = UiSubscription();
  remote->view()->setHidden(true);  // off the front, still watched
  alerts.dismiss();
  ui.reset();  // the model forgets it: later changes reach no one
  remote->view()->setHidden(false);
  alerts.dismiss();
  EXPECT_FALSE(below->isViewLoaded());
  EXPECT_EQ(first, "ssvaava");
  EXPECT_EQ(second, "ssvaa");
}

}  // namespace
}  // namespace kiro
