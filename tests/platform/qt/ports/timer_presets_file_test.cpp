#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "plan/plan_words.h"
#include "plan/timer_presets.h"
#include "platform/qt/ports/settings_user_defaults.h"
#include "tests/support/logged_platform.h"

namespace kiro {
namespace {

// Presets are kept in the INI file as lines a person can read, and come back whole from
// it: the built-in ones until changed, then what was saved, renamed and deleted.
TEST(TimerPresetsFile, PresetsAreReadableInTheIniFileAndReadBackFromIt) {
  test::LoggedPlatform installed;
  RecordingNotices& notices = installed.notices;
  QTemporaryDir dir;
  const QString path = dir.filePath("settings.ini");
  const std::string words = "interval 2m 600 --ramp 100ms..20s --bracket 3 --ev 1/3 --at 21:30";
  {
    SettingsUserDefaults defaults(notices, path);
    EXPECT_EQ(presets::all(defaults).size(), 3u);
    const auto night = parsePlanWords({"interval", "2m", "600", "--ramp", "100ms..20s", "--bracket", "3", "--ev", "1/3",
                                       "--at", "21:30"});
    ASSERT_TRUE(presets::save(defaults, "Night", night.value()).ok());
    EXPECT_TRUE(presets::rename(defaults, "Self-timer 10 s", "Ten").ok());
    EXPECT_TRUE(presets::remove(defaults, "Time-lapse: 1 s every 5 s, 300 shots").ok());
    EXPECT_FALSE(presets::remove(defaults, "Time-lapse: 1 s every 5 s, 300 shots").ok());
    EXPECT_FALSE(presets::rename(defaults, "Ten", "Night").ok());
    EXPECT_FALSE(presets::save(defaults, "a = b", night.value()).ok());
    EXPECT_FALSE(presets::save(defaults, "No delay", ShootingPlan{}).ok());
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains(QByteArray::fromStdString("Night = " + words)));
  const SettingsUserDefaults reopened(notices, path);
  const auto kept = presets::all(reopened);
  EXPECT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept.at("Ten"), "self 10s");
  EXPECT_EQ(planWords(presets::plan(reopened, "Night").value()), words);
  EXPECT_FALSE(presets::plan(reopened, "Nope").ok());

  SettingsUserDefaults edited(notices, path);
  edited.set("timerPresets", std::string("a line without a name\nBad = interval 0s 3\n"));
  EXPECT_EQ(presets::all(edited).size(), 1u);
  EXPECT_FALSE(presets::plan(edited, "Bad").ok());
  // A later save keeps the line it cannot read.
  ASSERT_TRUE(presets::save(edited, "Ten", presets::plan(reopened, "Ten").value()).ok());
  EXPECT_EQ(*edited.string("timerPresets"), "Bad = interval 0s 3\nTen = self 10s\na line without a name\n");
  EXPECT_EQ(notices.said, std::vector<std::string>{"a timerPresets line without a name is kept as it is: "
                                                   "a line without a name"});
}

// Two runs on one file: each save changes what is there now, so neither loses the other's.
// A line written by hand with a comma, which the INI format reads as a list, stays whole.
TEST(TimerPresetsFile, SavesOfTwoRunsMergeAndAHandWrittenLineWithACommaIsKept) {
  RecordingNotices notices;
  QTemporaryDir dir;
  const QString path = dir.filePath("settings.ini");
  SettingsUserDefaults first(notices, path);
  SettingsUserDefaults second(notices, path);
  EXPECT_EQ(presets::all(second).size(), 3u);
  const ShootingPlan self{ShootingPlan::Mode::self, Millis{5000}, std::nullopt, {}, {}};
  ASSERT_TRUE(presets::save(first, "A", self).ok());
  ASSERT_TRUE(presets::save(second, "B", self).ok());
  SettingsUserDefaults third(notices, path);
  EXPECT_EQ(presets::all(third).size(), 5u);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[General]\ntimerPresets=Night = interval 30s forever --bulb 25s, Day = self 5s\n");
  file.close();
  SettingsUserDefaults edited(notices, path);
  EXPECT_EQ(presets::all(edited).at("Night"), "interval 30s forever --bulb 25s, Day = self 5s");
  ASSERT_TRUE(presets::save(edited, "A", self).ok());
  EXPECT_EQ(presets::all(SettingsUserDefaults(notices, path)).size(), 2u);
}

}  // namespace
}  // namespace kiro
