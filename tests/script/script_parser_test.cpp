#include <gtest/gtest.h>

#include <regex>

#include "plan/location.h"
#include "plan/plan_words.h"
#include "script/script_parser.h"
#include "tests/support/failure.h"

namespace kiro {
namespace {

constexpr const char* kId = "4B49524F-0000-4000-8000-00000000000A";

// Receiver options are checked by what they do, in the script event tests.
TEST(ScriptParser, NotifiedBytesAreReadAsPairsOfHexDigits) {
  const auto notify = parseScriptLine(std::string("receiver notify ") + kId + " 01fF");
  ASSERT_TRUE(notify.ok() && notify.value()) << failure(notify);
  EXPECT_EQ(std::get<script::ReceiverAction>(*notify.value()).bytes, (Bytes{0x01, 0xFF}));
}

TEST(ScriptParser, EveryMalformedLineIsAnErrorWithoutACommand) {
  for (const std::string line :
       {"receiver add \"KIRO", "receiver add \"A\"B", "press F\"x", "jump", "wait", "wait -5", "wait 1.5",
        "wait 99999999999", "wait 10 20", "press Q", "release f", "release-outside F", "tap menu", "select",
        "select -1", "select x", "state now", "dismiss all", "snapshot", "receiver", "receiver add",
        "receiver add --silent", "receiver add K --loud", "receiver add K --id", "receiver add K --id nope",
        "receiver notify ID", "receiver notify ID 010", "receiver notify ID 0g", "receiver notify ID +1",
        "receiver drop nope", "receiver gone ID now", "receiver wave", "radio maybe", "quit now", "timer",
        "timer self", "timer self 0s", "timer bulb 1s --at 24:00", "timer bulb 1s --at 9:5", "timer self 1s --at 10:00",
        "timer interval 5s 0", "timer interval 5s 10000", "timer interval 5s 3 --bulb", "timer interval 5s 3 --bulb 1s --bulb 2s",
        "timer interval 5s 3 --ramp 1s", "timer interval 5s 3 --ramp 1s..2x", "timer interval 30s forever --ramp 1s..2s",
        "timer interval 30s 3 --bulb 1s --ramp 1s..2s", "timer interval 30s 3 --bulb 1s --bracket 4 --ev 1",
        "timer interval 30s 3 --bulb 1s --bracket 3", "timer interval 30s 3 --bracket 3 --ev 1",
        "timer interval 30s 3 --bulb 1s --bracket 3 --ev x", "timer bulb 1s --bracket 3 --ev 1", "timer preset",
        "timer interval 5s 3x", "timer interval 30s 3 --foo 1s", "timer preset save", "timer preset rename A", "timer stop now",
        "window", "window 960", "window 960x", "window 99x540", "window 960x4097", "window 2000x400", "window 960x540 1",
        "timer self --at sunset+", "timer self --at sundown", "timer self --at sunset+20", "timer self --at sunset*20m",
        "timer self --at sunset+12h1s", "timer self --at civil-", "timer self --at -20m", "location", "location off 1",
        "location 47.37", "location 47.37 8.54 0"}) {
    const auto parsed = parseScriptLine(std::regex_replace(line, std::regex("ID"), kId));
    EXPECT_FALSE(parsed.ok() || parsed.error().message.empty()) << line;
  }
}

TEST(ScriptParser, TimerPlansTakeRampsBracketsAndStartTimes) {
  const auto plan = [](const std::string& line) {
    const auto parsed = parseScriptLine(line);
    EXPECT_TRUE(parsed.ok() && parsed.value()) << failure(parsed);
    return parsed.ok() && parsed.value() ? std::get<script::Timer>(*parsed.value()).plan.value_or(ShootingPlan{})
                                         : ShootingPlan{};
  };
  const ShootingPlan ramp = plan("timer interval 2m 600 --ramp 100ms..20s --bracket 3 --ev 1/3 --at 21:30");
  EXPECT_EQ(ramp.bulb, std::chrono::milliseconds(100));
  EXPECT_EQ(ramp.rampTo, std::chrono::seconds(20));
  EXPECT_EQ(ramp.bracket, 3);
  EXPECT_DOUBLE_EQ(ramp.bracketStops, 1.0 / 3);
  EXPECT_EQ(ramp.at, (StartTime{std::nullopt, 21 * 60 + 30, {}}));
  EXPECT_EQ(plan("timer self --at 00:05").at, (StartTime{std::nullopt, 5, {}}));
  EXPECT_EQ(plan("timer bulb 1:30 --delay 1h30m").delay, std::chrono::minutes(90));
  // A plan is kept as words: they read back as written, whole stops as whole numbers.
  for (const std::string words :
       {"interval 30s 5 --bulb 1s --bracket 3 --ev 1", "interval 30s forever --bulb 1s --bracket 5 --ev 2/3",
        "interval 1m 9 --bulb 2s --bracket 3 --ev 1.5 --delay 1h30m", "bulb 1m30s --delay 10s", "self --at sunset",
        "interval 5s 300 --bulb 1s --at astro-dawn-15m", "bulb 2s --at nautical-dusk+1h30m", "self --at civil-dawn-12h",
        "interval 1m forever --at sunrise+500ms", "self --at 07:05"})
    EXPECT_EQ(planWords(plan("timer " + words)), words);
  EXPECT_EQ(plan("timer self --at sunset+20m").at, (StartTime{SunEvent::sunset, 0, std::chrono::minutes(20)}));
  EXPECT_EQ(plan("timer self --at astro-dusk-1m").at, (StartTime{SunEvent::astroDusk, 0, -std::chrono::minutes(1)}));
  const auto rename = parseScriptLine("timer preset rename \"Star trails\" Stars");
  ASSERT_TRUE(rename.ok() && rename.value());
  EXPECT_EQ(std::get<script::TimerPreset>(*rename.value()).newName, "Stars");
}

// A location is two bounded coordinates in plain decimals, kept as they read; anything else is
// refused with the reason.
TEST(ScriptParser, ALocationIsALatitudeAndALongitudeOrOff) {
  const auto where = [](const std::string& line) {
    const auto parsed = parseScriptLine(line);
    if (!parsed.ok()) return parsed.error().message;
    const auto& set = std::get<script::SetLocation>(*parsed.value());
    return set.where ? locationWords(*set.where) : std::string("off");
  };
  EXPECT_EQ(where("location 47.37 8.54"), "47.37 8.54");
  EXPECT_EQ(where("location -33.870 151.2100"), "-33.87 151.21");
  EXPECT_EQ(where("location -90 180"), "-90 180");
  EXPECT_EQ(where("location -0 0.000001"), "0 0.000001");
  EXPECT_EQ(where("location off"), "off");
  EXPECT_EQ(where("location 90.000001 0"), "location: a latitude is from -90 to 90: not 90.000001");
  EXPECT_EQ(where("location 0 -180.5"), "location: a longitude is from -180 to 180: not -180.5");
  for (const char* bad : {"nan 0", "0 inf", "1e1 0", "0x10 0", "+1 0", "1.1234567 0", "1. 0", ".5 0", "1,5 0", "1000 0",
                          "-- 0", "1.2.3 0"})
    EXPECT_EQ(where(std::string("location ") + bad),
              std::string("location: a location is LAT LON in degrees with at most 6 decimals, such as 47.37 8.54: not ") + bad);
}

}  // namespace
}  // namespace kiro
