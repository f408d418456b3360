#include "screens/remote/remote_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kiro {
namespace {

TEST(RemoteScreenLayout, PlacesEveryElementOnCommonScreens) {
  struct Case {
    Size screen;
    double lampX[3];
    double focusX, releaseX, buttonTop, buttonSide;
    Rect label;
  };
  const Case cases[] = {
      // W - 120 a multiple of 4: the row fits exactly.
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

TEST(RemoteScreenLayout, LampRowIsCentredWithWholeInnerGapsAndButtonsKeepTheirMargins) {
  for (double width = 200; width <= 1024; width += 1) {
    SCOPED_TRACE(width);
    const RemoteLayout layout = remoteLayout({width, 700});
    const double gap = std::trunc((width - 120) / 4);
    EXPECT_EQ(layout.lamps[1].minX() - layout.lamps[0].maxX(), gap);
    EXPECT_EQ(layout.lamps[2].minX() - layout.lamps[1].maxX(), gap);
    EXPECT_EQ(layout.lamps[0].minX(), width - layout.lamps[2].maxX());
    EXPECT_GE(layout.lamps[0].minX(), gap);
    EXPECT_LT(layout.lamps[0].minX(), gap + 2);

    const double margin = std::trunc(width / 10);
    EXPECT_EQ(layout.focusButton.minX(), margin);
    EXPECT_EQ(width - layout.releaseButton.maxX(), margin);
    EXPECT_EQ(layout.releaseButton.minX() - layout.focusButton.maxX(), 2 * margin);
  }
}

}  // namespace
}  // namespace kiro
