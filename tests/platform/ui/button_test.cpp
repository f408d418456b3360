#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/button.h"

namespace kiro {
namespace {

TEST(UiButton, ATouchPhaseRunsOnlyItsOwnActionsInTheOrderTheyWereAdded) {
  Button button;
  std::vector<std::string> ran;
  button.addTarget(ControlEvent::touchDown, [&] { ran.push_back("down 1"); });
  button.addTarget(ControlEvent::touchUpInside, [&] { ran.push_back("up inside"); });
  button.addTarget(ControlEvent::touchDown, [&] { ran.push_back("down 2"); });
  button.addTarget(ControlEvent::touchDown, nullptr);

  button.sendActions(ControlEvent::touchDown);
  EXPECT_EQ(ran, (std::vector<std::string>{"down 1", "down 2"}));
  ran.clear();
  button.sendActions(ControlEvent::touchUpOutside);
  EXPECT_TRUE(ran.empty());
  button.sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(ran, std::vector<std::string>{"up inside"});
}

TEST(UiButton, AnActionAddedDuringATouchWaitsForTheNextTouch) {
  Button button;
  int late = 0;
  button.addTarget(ControlEvent::touchDown, [&] {
    button.addTarget(ControlEvent::touchDown, [&] { ++late; });
  });
  button.sendActions(ControlEvent::touchDown);
  EXPECT_EQ(late, 0);
  button.sendActions(ControlEvent::touchDown);
  EXPECT_EQ(late, 1);
}

}  // namespace
}  // namespace kiro
