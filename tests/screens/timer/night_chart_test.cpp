#include "screens/timer/night_chart.h"

#include <gtest/gtest.h>

#include "plan/plan_words.h"
#include "tests/support/failure.h"
#include "tests/support/simulated_world.h"

namespace kiro {
namespace {

using namespace std::chrono;

class NightChartTest : public ::testing::Test, protected SimulatedWorld {};

// The top of a line drawn in column x, from the top; none when none is.
std::optional<std::size_t> lineTop(const Picture& chart, std::size_t x, Pixel line = kChartBulb) {
  for (std::size_t y = 0; y < chart.pixelHeight(); ++y)
    if (chart.pixel(x, y) == line) return y;
  return std::nullopt;
}

// A day-to-night plan: its window between stretches of sky, the sunset marked in it, the
// interval line drawn, and the bulb higher at the window's end than at its start.
TEST_F(NightChartTest, MarksTheWindowTheSunsetAndTheBulbRising) {
  const VirtualWallClock clock{loop, sys_days{September / 15 / 2027} + 12h};
  const Result<std::optional<Location>> zurich{std::optional(Location{47.37, 8.54})};
  const auto plan = parsePlanWords({"interval", "5s", "--until", "nautical-dusk+30m", "--at", "sunset-30m", "--key",
                                    "sunset=500ms/5s", "--key", "nautical-dusk=20s/25s"});
  const auto schedule = schedulePlan(plan.value(), clock, zurich);
  ASSERT_TRUE(schedule.ok()) << failure(schedule);
  const Picture chart = nightChart(schedule.value(), clock, zurich, {280, 120}, 2);
  ASSERT_EQ(chart.pixelWidth(), 560u);
  std::vector<std::size_t> window, sunset;
  for (std::size_t x = 0; x < chart.pixelWidth(); ++x) {
    if (chart.pixel(x, 0) == kChartWindow) window.push_back(x);
    if (chart.pixel(x, 0) == kChartSunrise) sunset.push_back(x);
  }
  ASSERT_GT(window.size(), 400u);
  EXPECT_EQ(chart.pixel(0, 0), kChartSky);
  EXPECT_EQ(chart.pixel(chart.pixelWidth() - 1, 0), kChartSky);
  ASSERT_EQ(sunset.size(), 1u);
  EXPECT_GT(sunset[0], window.front());
  EXPECT_LT(sunset[0], window.front() + (window.back() - window.front()) / 3);
  const auto early = lineTop(chart, window.front() + 2), late = lineTop(chart, window.back() - 2);
  ASSERT_TRUE(early && late);
  EXPECT_GT(*early, *late + chart.pixelHeight() / 2);
  // Between shots a column shows the shot before while its interval lasts; none after the last.
  for (std::size_t x = window.front() + 1; x + 1 < window.back(); ++x) EXPECT_TRUE(lineTop(chart, x)) << x;
  EXPECT_FALSE(lineTop(chart, chart.pixelWidth() - 1));
  EXPECT_TRUE(lineTop(chart, window.front() + 2, kChartInterval) && lineTop(chart, window.back() - 2, kChartInterval));
}

}  // namespace
}  // namespace kiro
