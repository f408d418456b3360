#include "screens/remote/indicator_lamps.h"

#include <gtest/gtest.h>

#include "tests/support/logged_platform.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// Green and red stay lit 1 s and blue 85 ms after their latest lighting, each on its own.
TEST(IndicatorLamps, EachLampGoesGreyItsOwnTimeAfterItsLatestLighting) {
  test::LoggedPlatform platform;
  IndicatorLamps lamps;
  const auto shown = [&] {
    std::string text;
    for (const auto& lamp : {lamps.imageLamp01(), lamps.imageLamp02(), lamps.imageLamp03()})
      text += lamp->accessibilityOn() != lampIsLit(*lamp) ? '?' : lampIsLit(*lamp) ? '*' : '-';
    return text;
  };
  EXPECT_EQ(shown(), "---");
  lamps.green();
  lamps.blue();
  platform.runLoop.advance(84ms);
  EXPECT_EQ(shown(), "**-");
  lamps.red();
  platform.runLoop.advance(1ms);
  EXPECT_EQ(shown(), "*-*");
  platform.runLoop.advance(500ms);
  lamps.green();
  platform.runLoop.advance(915ms);
  EXPECT_EQ(shown(), "*--");
  platform.runLoop.advance(85ms);
  EXPECT_EQ(shown(), "---");
  EXPECT_EQ(lamps.imageLamp01()->image(), "灰色.png");
}

}  // namespace
}  // namespace kiro
