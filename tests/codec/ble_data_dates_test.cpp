#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "codec/ble_data.h"
#include "codec/clock_record.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

using test::instantAt;
using test::ZoneScope;

TEST(BleDataDates, ReadsEitherSeparatorAsWallTimeInTheDeviceZoneAndNothingElse) {
  ZoneScope zone("Asia/Shanghai");
  const Date wall = instantAt(2026, 12, 5, 16, 0, 54, 8 * 60);
  test::expectEach<std::string, std::optional<Date>>(bleData::dateFromString, {
      {"2026-12-05T16:00:54", wall}, {"2026-12-05 16:00:54", wall},
      // Dates a Date cannot hold, then text off the pattern.
      {"9999-12-31 23:59:59", std::nullopt}, {"1500-01-01 00:00:00", std::nullopt}, {"2026-12-05", std::nullopt},
      {"2026-12-05 16:00:54 extra", std::nullopt}, {"2026-02-30 16:00:54", std::nullopt},
  });
}

TEST(BleDataDates, WritesTheDateInTheDeviceZone) {
  ZoneScope zone("Asia/Kolkata");
  const Date date = instantAt(2026, 12, 5, 16, 0, 54, 5 * 60 + 30);
  EXPECT_EQ(bleData::stringFromDateWithHourMin(date), "16:00");
  EXPECT_EQ(bleData::getDateWithStr("yyyy年MM月dd日 'at' HH:mm:ss", date), "2026年12月05日 at 16:00:54");
  const std::string now = bleData::getNowDate();
  EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d .+)"))) << now;
}

TEST(BleDataDates, CountsWholeCalendarDaysSigned) {
  ZoneScope zone("America/New_York");
  const Date first = instantAt(2026, 12, 5, 10, 0, 0, -5 * 60);
  const Date second = instantAt(2026, 12, 7, 9, 0, 0, -5 * 60);
  EXPECT_EQ(bleData::getDayNumberWithDate(first, second), 1);
  EXPECT_EQ(bleData::getDayNumberWithDate(second, first), -1);
  // Noon to noon across the spring change is 23 hours, still one day.
  EXPECT_EQ(bleData::getDayNumberWithDate(instantAt(2026, 3, 7, 12, 0, 0, -5 * 60),
                                          instantAt(2026, 3, 8, 12, 0, 0, -4 * 60)),
            1);
}

ZoneState zoneAt(int offsetMinutes, const std::string& abbreviation, bool daylightSaving = false) {
  return ZoneState{offsetMinutes * 60, abbreviation, daylightSaving};
}

TEST(BleDataClockRecord, EncodesTheLocalDateTimeAndZone) {
  const Date monday = instantAt(2026, 3, 9, 8, 5, 7, 8 * 60);
  const std::tuple<Date, ZoneState, std::string> cases[] = {
      {instantAt(2026, 12, 5, 12, 0, 54), zoneAt(0, "GMT"), "EA070C050C00360501010078"},  // Saturday noon
      {monday, zoneAt(8 * 60, "GMT+8"), "EA07030908050700010000C8"},  // "GMT+h" counts up from 120
      {monday, zoneAt(8 * 60, "CST"), "EA0703090805070001000028"},    // any other counts down
      {instantAt(2026, 7, 12, 23, 59, 59, -4 * 60), zoneAt(-4 * 60, "EDT", true), "EA07070C173B3B06010101A0"},
      // New Year already begun 8 hours east while it is still the old year at GMT.
      {instantAt(2026, 12, 31, 20, 0, 0), zoneAt(8 * 60, "GMT+8"), "EB07010104000004010000C8"},
  };
  for (const auto& [instant, zone, expected] : cases) EXPECT_EQ(clockRecord(instant, zone), expected);
  // Whole hours, truncated toward zero; a code outside 0-255 makes its field longer.
  const Date noon = instantAt(2026, 12, 5, 12, 0, 0);
  EXPECT_EQ(clockRecord(noon, zoneAt(-(3 * 60 + 30), "NST")).substr(22), "96");
  EXPECT_EQ(clockRecord(noon, zoneAt(14 * 60, "GMT+14")).substr(22), "0104");
  EXPECT_EQ(clockRecord(noon, zoneAt(13 * 60, "NZDT")).substr(22), "FFFFFFFFFFFFFFF6");
}

// At any time of year one of the two zones is in daylight saving.
TEST(BleDataClockRecord, CheckTimeLogsThePresentRecordOfTheDeviceZone) {
  const std::tuple<const char*, const char*, const char*> zones[] = {{"America/New_York", "00AA", "01A0"},
                                                                     {"Australia/Sydney", "00DC", "01E6"}};
  for (const auto& [name, standardTail, daylightTail] : zones) {
    ZoneScope zone(name);
    test::LoggedPlatform logged;
    const std::string record = bleData::checkTime();
    EXPECT_EQ(logged.log.lines, std::vector<std::string>{"========= 时间的16进制 ========== " + record});
    const std::string tail = record.substr(20);
    EXPECT_TRUE(tail == standardTail || tail == daylightTail) << name << " " << record;
  }
}

}  // namespace
}  // namespace kiro
