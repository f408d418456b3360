#include "screens/timer/timer_values.h"

#include <gtest/gtest.h>

#include "screens/timer/durations.h"
#include "screens/timer/ladders.h"
#include "screens/timer/plan_words.h"
#include "tests/support/failure.h"
#include "tests/support/simulated_world.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Mode = ShootingPlan::Mode;

TEST(TypedDuration, EachFormReadsAndWhatCannotBeReadSaysWhy) {
  const std::pair<const char*, Millis> read[] = {
      {"500ms", 500ms}, {"10s", 10s},       {"0.13s", 130ms},   {"2m", 2min},   {"1h30m", 90min},
      {"1:30:00", 90min}, {"4:05", 245s}, {"1h2m3s4ms", 3723004ms}, {"99h", 99h},
  };
  for (const auto& [text, value] : read) EXPECT_EQ(parseDuration(text).value(), value) << text;
  for (const char* bad : {"", "10", "s", "1.5", "2m1h", "1s1s", "0.0001s", "1:60", "1:2:3:4", "100h", "99h1ms", "3 s", "-1s", "1x"})
    EXPECT_NE(failure(parseDuration(bad)), "") << bad;
  // What is written reads back as the same length.
  for (const Millis length : std::vector<Millis>{130ms, 1600ms, 90min, 2h + 5min + 30s, 99h})
    EXPECT_EQ(parseDuration(durationWords(length)).value(), length) << durationText(length);
  EXPECT_EQ(durationText(2h + 5min + 1300ms), "2 h 5 min 1.3 s");
}

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

class TimerValuesTest : public ::testing::Test, protected SimulatedWorld {};

// Below the first rung a delay is none and a bulb a press; typed values outside a range
// change nothing; the values kept read back, and bare numbers (as kept before) are seconds.
TEST_F(TimerValuesTest, ValuesStepTypeAndKeep) {
  defaults.set("timerDelay", std::string("3"));
  TimerValues values;
  EXPECT_EQ(values.text(TimerValues::delay), "3 s");
  values.step(TimerValues::bulb, -20);
  EXPECT_EQ(values.text(TimerValues::bulb), "press");
  values.step(TimerValues::bulb, 1);
  EXPECT_EQ(values.text(TimerValues::bulb), "0.1 s");
  EXPECT_FALSE(values.enter(TimerValues::bulb, "5h").ok());
  EXPECT_FALSE(values.enter(TimerValues::interval, "0s").ok());
  EXPECT_FALSE(values.enter(TimerValues::shots, "10000").ok());
  EXPECT_EQ(values.text(TimerValues::bulb), "0.1 s");
  EXPECT_TRUE(values.enter(TimerValues::interval, "1h30m").ok());
  EXPECT_TRUE(values.enter(TimerValues::shots, "forever").ok());
  values.setMode(Mode::interval);
  values.setStartsAtTime(true);
  EXPECT_TRUE(values.enter(TimerValues::delay, "23:58").ok());
  values.step(TimerValues::delay, 1);
  // A bracket typed or stepped; one between the buttons' steps goes to the next its way.
  EXPECT_FALSE(values.enter(TimerValues::bracket, "4x1").ok());
  EXPECT_FALSE(values.enter(TimerValues::bracket, "3x4").ok());
  values.take(parsePlanWords({"interval", "1m", "2", "--bulb", "1s", "--bracket", "3", "--ev", "0.5"}).value());
  values.step(TimerValues::bracket, 1);
  EXPECT_EQ(values.text(TimerValues::bracket), "3 \xC3\x97 2/3 EV");
  EXPECT_TRUE(values.enter(TimerValues::bracket, "5 \xC3\x97 1/3 EV").ok());
  EXPECT_TRUE(values.enter(TimerValues::rampTo, "2s").ok());
  values.keep();
  EXPECT_EQ(planWords(TimerValues().plan()), "interval 1m 2 --ramp 1s..2s --bracket 5 --ev 1/3");
  values.step(TimerValues::bracket, -20);
  values.step(TimerValues::rampTo, -100);
  EXPECT_EQ(values.text(TimerValues::rampTo), "none");
  values.take(parsePlanWords({"interval", "1h30m", "forever", "--bulb", "100ms", "--at", "00:00"}).value());
  values.keep();
  const TimerValues kept;
  EXPECT_EQ(planWords(kept.plan()), "interval 1h30m forever --bulb 100ms --at 00:00");
  // A kept mode that is none of the three gives the first-time one.
  for (const char* stored : {"3", "-1", "1x"}) {
    defaults.set("timerMode", std::string(stored));
    EXPECT_EQ(TimerValues().plan().mode, Mode::self) << stored;
  }
}

}  // namespace
}  // namespace kiro
