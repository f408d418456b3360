#include "screens/timer/timer_values.h"

#include <gtest/gtest.h>

#include "plan/plan_words.h"
#include "plan/timer_presets.h"
#include "tests/support/simulated_world.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Mode = ShootingPlan::Mode;

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
  EXPECT_TRUE(values.enter(TimerValues::shots, "9999").ok());
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
  std::string steps;
  for (int step = 0; step < 9; ++step, values.step(TimerValues::bracket, 1)) steps += values.text(TimerValues::bracket).english() + "; ";
  EXPECT_EQ(steps, "none; 3 \xC3\x97 1/3 EV; 3 \xC3\x97 2/3 EV; 3 \xC3\x97 1 EV; 3 \xC3\x97 2 EV; 5 \xC3\x97 1/3 EV; "
                   "5 \xC3\x97 2/3 EV; 5 \xC3\x97 1 EV; 5 \xC3\x97 2 EV; ");
  values.step(TimerValues::rampTo, -100);
  EXPECT_EQ(values.text(TimerValues::rampTo), "none");
  values.take(parsePlanWords({"interval", "1h30m", "forever", "--bulb", "100ms", "--at", "00:00"}).value());
  values.keep();
  const TimerValues kept;
  EXPECT_EQ(planWords(kept.plan()), "interval 1h30m forever --bulb 100ms --at 00:00");
  // A sun start stays one, shown in its words: a step moves its offset.
  values.take(parsePlanWords({"self", "--at", "sunset+20m"}).value());
  values.step(TimerValues::delay, -5);
  EXPECT_EQ(values.text(TimerValues::delay), "sunset-5m");
  values.keep();
  EXPECT_EQ(planWords(TimerValues().plan()), "self --at sunset-5m");
  // A kept mode that is none of the three gives the first-time one.
  for (const char* stored : {"3", "-1", "1x"}) {
    defaults.set("timerMode", std::string(stored));
    EXPECT_EQ(TimerValues().plan().mode, Mode::self) << stored;
  }
}

// The night's values make the plan: an end counts no shots, keyframes set the bulb and one
// whose bulb is taken away is none. Kept, and taken back from a preset after a plain plan, the
// plan comes back whole.
TEST_F(TimerValuesTest, TheNightsValuesMakeThePlanAndComeBackWhole) {
  TimerValues values;
  values.setMode(Mode::interval);
  values.setStartsAtTime(true);
  ASSERT_TRUE(values.enter(TimerValues::delay, "sunset-30m").ok());
  auto& night = values.night();
  ASSERT_TRUE(night.enter(NightValues::until, "astro-dusk+15m").ok());
  night.step(NightValues::nights, 1);
  EXPECT_FALSE(night.enter(NightValues::dark, "100").ok());
  EXPECT_TRUE(night.enter(NightValues::dark, "99").ok());
  ASSERT_TRUE(night.enter(NightValues::dark, "10").ok());
  const auto key = [&](const char* at, const char* bulb, const char* interval) {
    EXPECT_TRUE(night.enter(NightValues::keyAt, at).ok() && night.enter(NightValues::keyBulb, bulb).ok() &&
                night.enter(NightValues::keyInterval, interval).ok());
    night.step(NightValues::key, 1);
  };
  key("sunset", "0.5s", "none");
  key("nautical-dusk", "20s", "25s");
  key("23:00", "30s", "none");
  night.step(NightValues::key, -1);
  night.step(NightValues::keyBulb, -100);
  EXPECT_EQ(night.text(NightValues::key), "3: new");
  const std::string words = "interval 5s --until astro-dusk+15m --at sunset-30m --nights 2 --dark 10"
                            " --key sunset=500ms --key nautical-dusk=20s/25s";
  EXPECT_EQ(planWords(values.plan()), words);
  EXPECT_FALSE(values.uses(TimerValues::shots) || values.uses(TimerValues::bulb));
  values.keep();
  EXPECT_EQ(planWords(TimerValues().plan()), words);
  EXPECT_EQ(presets::nameFor(values.plan()), "Intervals: 0.5 s to 20 s every 5 s, until astro-dusk+15m, 2 nights at sunset-30m");
  ASSERT_TRUE(presets::save(defaults, "Milky way", values.plan()).ok());
  values.take(parsePlanWords({"interval", "1m", "3"}).value());
  EXPECT_EQ(planWords(values.plan()), "interval 1m 3");
  values.take(presets::plan(defaults, "Milky way").value());
  EXPECT_EQ(planWords(values.plan()), words);
  // An interval stepped below its first rung is the plan's again; dark frames step to none.
  night.step(NightValues::key, -10);
  night.step(NightValues::key, 1);
  night.step(NightValues::keyInterval, -100);
  night.step(NightValues::dark, -100);
  EXPECT_EQ(planWords(values.plan()),
            "interval 5s --until astro-dusk+15m --at sunset-30m --nights 2 --key sunset=500ms --key nautical-dusk=20s");
  // Another mode takes none of the night's values: its plan stays valid.
  values.setMode(Mode::self);
  EXPECT_TRUE(checkPlan(values.plan()).ok());
}

}  // namespace
}  // namespace kiro
