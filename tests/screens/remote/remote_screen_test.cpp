#include "screens/remote/remote_layout.h"
#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

TEST(RemoteScreenLayout, PlacesEveryElementOnCommonScreens) {
  const struct {
    Size screen;
    double lampX[3];
    double focusX, releaseX, buttonTop, buttonSide;
    Rect label;
  } cases[] = {
      // W - 120 a multiple of 4: the lamp row fits exactly.
      {{320, 568}, {50, 140, 230}, 32, 192, 348, 96, makeRect(100, 238, 120, 20)},
      // 3 points left over: 1.5 go to each outer gap.
      {{375, 667}, {64.5, 167.5, 270.5}, 37, 224.5, 397.5, 113.5, makeRect(127.5, 262.75, 120, 20)},
      // 2 points left over.
      {{414, 896}, {74, 187, 300}, 41, 248, 512, 125, makeRect(147, 320, 120, 20)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screen.width);
    const RemoteLayout layout = remoteLayout(c.screen);
    EXPECT_EQ(layout.background, makeRect(0, 0, c.screen.width, c.screen.height));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(layout.lamps[i], makeRect(c.lampX[i], 128, 40, 40)) << "lamp " << i;
    EXPECT_EQ(layout.focusButton, makeRect(c.focusX, c.buttonTop, c.buttonSide, c.buttonSide));
    EXPECT_EQ(layout.releaseButton, makeRect(c.releaseX, c.buttonTop, c.buttonSide, c.buttonSide));
    EXPECT_EQ(layout.statusLabel, c.label);
    EXPECT_EQ(layout.barButton, makeRect(30, 0, 22, 22));
  }
}

// Wider than tall: the lamps, the label and its line in the left half, F and R side by side
// in the right one with the timer and its lines below them, all inside the screen below the bars.
TEST(RemoteScreenLayout, PutsFAndRBesideTheLampsWhenWiderThanTall) {
  const auto within = [](const Rect& inner, double minX, double maxX, double maxY) {
    return inner.minX() >= minX && inner.maxX() <= maxX && inner.minY() >= 64 && inner.maxY() <= maxY;
  };
  for (const Size screen : {Size{1066, 667}, Size{909, 568}, Size{2668, 667}}) {
    SCOPED_TRACE(screen.width);
    const double half = screen.width / 2;
    const RemoteLayout layout = remoteLayout(screen);
    for (const Rect& left : {layout.lamps[0], layout.lamps[2], layout.statusLabel, layout.commandsLine})
      EXPECT_TRUE(within(left, 0, half, screen.height));
    for (const Rect& right :
         {layout.focusButton, layout.releaseButton, layout.timerButton, layout.timerLine, layout.timerEndLine})
      EXPECT_TRUE(within(right, half, screen.width, screen.height));
    EXPECT_EQ(layout.focusButton.minY(), layout.releaseButton.minY());
    EXPECT_LT(layout.focusButton.maxX(), layout.releaseButton.minX());
    EXPECT_GT(layout.timerButton.minY(), layout.focusButton.maxY());
    EXPECT_GE(layout.timerEndLine.minY(), layout.timerLine.maxY());
    EXPECT_EQ(layout.background, makeRect(0, 0, screen.width, screen.height));
  }
  // As wide as tall, F and R shrink to keep the timer's line above the bottom.
  EXPECT_LE(remoteLayout({667, 667}).timerLine.maxY(), 667);
}

using RemoteScreen = RemoteScreenFixture;

}  // namespace
}  // namespace kiro::remote_test
