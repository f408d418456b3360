#include "plan/ladders.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

using namespace std::chrono_literals;

TEST(Ladders, StepInPhotographicSizesAndATypedValueGoesToTheNextRungItsWay) {
  const auto& bulb = ladders::bulb();
  EXPECT_EQ(std::vector<Millis>(bulb.begin(), bulb.begin() + 4), (std::vector<Millis>{100ms, 130ms, 150ms, 200ms}));
  EXPECT_EQ(ladders::step(bulb, 30s, 1), 40s);
  EXPECT_EQ(ladders::step(bulb, 30min, 1), 35min);
  EXPECT_EQ(bulb.back(), 4h);
  const auto& time = ladders::time();
  EXPECT_EQ(ladders::step(time, 1min, 1), 65s);
  EXPECT_EQ(ladders::step(time, 5min, 1), 6min);
  EXPECT_EQ(ladders::step(time, 1h, 1), 65min);
  EXPECT_EQ(time.back(), 99h);
  EXPECT_EQ(ladders::step(time, 62s, 1), 65s);
  EXPECT_EQ(ladders::step(time, 62s, -1), 1min);
  EXPECT_EQ(ladders::step(time, 99h, 5), 99h);
  EXPECT_EQ(ladders::step(time, 1s, -3), 1s);
}

}  // namespace
}  // namespace kiro
