#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>

#include "codec/ble_data.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

using test::instantAt;
using test::ZoneScope;

TEST(BleDataDateFromString, ReadsEitherSeparatorAsWallTimeInTheDeviceZoneAndNothingElse) {
  ZoneScope zone("Asia/Shanghai");
  const int offset = 8 * 60;
  const struct {
    const char* text;
    std::optional<Date> expected;
  } cases[] = {
      {"2026-12-05T16:00:54", instantAt(2026, 12, 5, 16, 0, 54, offset)},
      {"2026-12-05 16:00:54", instantAt(2026, 12, 5, 16, 0, 54, offset)},
      {"2200-01-01 00:00:00", instantAt(2200, 1, 1, 0, 0, 0, offset)},
      // Dates a Date cannot hold.
      {"9999-12-31 23:59:59", std::nullopt}, {"1500-01-01 00:00:00", std::nullopt},
      // Text off the pattern.
      {"", std::nullopt}, {"garbage", std::nullopt}, {"2026-12-05", std::nullopt},
      {"2026-12-05 16:00", std::nullopt}, {"2026-12-05 16:00:54 extra", std::nullopt},
      {"2026-13-05 16:00:54", std::nullopt}, {"2026-02-30 16:00:54", std::nullopt},
      {"2026-12-05 25:00:00", std::nullopt}, {"2026-12-05T16:00:54Z", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::dateFromString(c.text), c.expected) << c.text;
}

TEST(BleDataFormatting, WritesTheDateInTheDeviceZone) {
  ZoneScope zone("Asia/Kolkata");
  const Date date = instantAt(2026, 12, 5, 16, 0, 54, 5 * 60 + 30) + std::chrono::milliseconds{999};
  EXPECT_EQ(bleData::stringFromDateWithHourMin(date), "16:00");
  EXPECT_EQ(bleData::getDateWithStr("yyyy-MM-dd HH:mm:ss", date), "2026-12-05 16:00:54");
  EXPECT_EQ(bleData::getDateWithStr("yyyy年MM月dd日 'at' HH", date), "2026年12月05日 at 16");
  EXPECT_EQ(bleData::dateFromString(bleData::getDateWithStr("yyyy-MM-dd HH:mm:ss", date)),
            date - std::chrono::milliseconds{999});
}

TEST(BleDataFormatting, NowDateIsTheCurrentWallTimeWithAZoneName) {
  ZoneScope zone("America/New_York");
  const auto before = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  const std::string text = bleData::getNowDate();
  const auto after = std::chrono::system_clock::now();
  ASSERT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d .+)"))) << text;
  const auto parsed = bleData::dateFromString(text.substr(0, 19));
  ASSERT_TRUE(parsed);
  EXPECT_GE(*parsed, before);
  EXPECT_LE(*parsed, after);
}

TEST(BleDataGetDayNumberWithDate, CountsWholeCalendarDaysSigned) {
  ZoneScope zone("America/New_York");
  const int offset = -5 * 60;
  const Date first = instantAt(2026, 12, 5, 10, 0, 0, offset);
  const Date second = instantAt(2026, 12, 7, 9, 0, 0, offset);
  EXPECT_EQ(bleData::getDayNumberWithDate(first, second), 1);
  EXPECT_EQ(bleData::getDayNumberWithDate(second, first), -1);
  EXPECT_EQ(bleData::getDayNumberWithDate(first, first), 0);
  EXPECT_EQ(bleData::getDayNumberWithDate(first, instantAt(2026, 12, 7, 10, 0, 0, offset)), 2);
  // Noon to noon across the spring change is 23 hours, still one day.
  EXPECT_EQ(bleData::getDayNumberWithDate(instantAt(2026, 3, 7, 12, 0, 0, offset),
                                          instantAt(2026, 3, 8, 12, 0, 0, offset + 60)),
            1);
}

}  // namespace
}  // namespace kiro
