#include <gtest/gtest.h>

#include "tests/app/app_shell_fixture.h"
#include "platform/ui/ui_events.h"
#include "screens/devices/view_controller.h"

namespace kiro::app_test {
namespace {

class ScriptUiEvents : public AppShellFixture {
 protected:
  // A listener that counts what it is told.
  struct Counts {
    int views = 0;
    int stacks = 0;
    int alerts = 0;
  };
  UiListener counting(Counts& counts) {
    return {[&counts](View&, ViewProperty) { ++counts.views; }, [&counts](NavigationChange, bool) { ++counts.stacks; },
            [&counts] { ++counts.alerts; }};
  }
};

TEST_F(ScriptUiEvents, EverySubscriberHearsEveryScreenTheStackAndAlertsUntilItLeaves) {
  launch();
  auto ui = std::make_unique<UiEvents>(delegate->window()->rootViewController(), alertQueue());
  Counts first, second;
  auto keep = ui->subscribe(counting(first));
  auto leave = ui->subscribe(counting(second));

  delegate->remote()->imageLamp01()->setImage("绿.png");
  tapBar(false);  // the device list comes on top and loads
  auto list = std::dynamic_pointer_cast<ViewController>(navigation().topViewController());
  ASSERT_NE(list, nullptr);
  list->tabel()->setRowHeight(60);
  alertQueue().show(Alert{"t", "m", "YES"});
  EXPECT_EQ(first.views, 2);
  EXPECT_EQ(first.stacks, 1);
  EXPECT_EQ(first.alerts, 1);
  EXPECT_EQ(second.views, 2);

  leave = UiSubscription();
  delegate->remote()->imageLamp01()->setImage("灰色.png");  // off the front, still watched
  EXPECT_EQ(first.views, 3);
  EXPECT_EQ(second.views, 2);

  ui.reset();  // the model forgets it: later changes reach no one
  delegate->remote()->imageLamp01()->setImage("绿.png");
  alertQueue().dismiss();
  EXPECT_EQ(first.views, 3);
  EXPECT_EQ(first.alerts, 1);
}

}  // namespace
}  // namespace kiro::app_test
