#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "codec/ble_data.h"
#include "codec/clock_record.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

using test::instantAt;

ZoneState zoneAt(int offsetMinutes, const std::string& abbreviation, bool daylightSaving = false) {
  return ZoneState{offsetMinutes * 60, abbreviation, daylightSaving};
}

TEST(BleDataClockRecord, EncodesTheLocalDateTimeAndZone) {
  const struct {
    Date instant;
    ZoneState zone;
    std::string expected;
  } cases[] = {
      // Saturday at GMT.
      {instantAt(2026, 12, 5, 16, 0, 54), zoneAt(0, "GMT"), "EA070C051000360501010078"},
      // Monday morning 8 hours east.
      {instantAt(2026, 3, 9, 8, 5, 7, 8 * 60), zoneAt(8 * 60, "GMT+8"), "EA07030908050700010000C8"},
      {instantAt(2026, 3, 9, 8, 5, 7, 8 * 60), zoneAt(8 * 60, "CST"), "EA0703090805070001000028"},
      // Sunday night 4 hours west, in daylight saving.
      {instantAt(2026, 7, 12, 23, 59, 59, -4 * 60), zoneAt(-4 * 60, "EDT", true), "EA07070C173B3B06010101A0"},
      // New Year already begun 8 hours east while it is still the old year at GMT.
      {instantAt(2026, 12, 31, 20, 0, 0), zoneAt(8 * 60, "GMT+8"), "EB07010104000004010000C8"},
  };
  for (const auto& c : cases) EXPECT_EQ(clockRecord(c.instant, c.zone), c.expected);
}

TEST(BleDataClockRecord, ZoneCodeCountsWholeHoursFromTheAbbreviation) {
  const struct {
    ZoneState zone;
    std::string code;
  } cases[] = {
      {zoneAt(-5 * 60, "EST"), "AA"},
      {zoneAt(5 * 60 + 30, "GMT+5:30"), "AA"},
      {zoneAt(-(3 * 60 + 30), "NST"), "96"},  // truncated toward zero: -3
      {zoneAt(14 * 60, "GMT+14"), "0104"},     // 260 takes two bytes
      {zoneAt(13 * 60, "NZDT"), "FFFFFFFFFFFFFFF6"},  // -10 in 64-bit two's complement
  };
  const Date instant = instantAt(2026, 12, 5, 12, 0, 0);
  for (const auto& c : cases) {
    const std::string record = clockRecord(instant, c.zone);
    ASSERT_GE(record.size(), 22u);
    EXPECT_EQ(record.substr(22), c.code) << c.zone.abbreviation;
  }
}

// The present record for the device zone: date fields as the C library sees local time,
// the zone fields as expected for that zone.
void expectPresentRecord(const char* zoneName, const std::string& standardTail, const std::string& daylightTail) {
  test::ZoneScope zone(zoneName);
  test::LoggedPlatform logged;
  const std::time_t before = std::time(nullptr);
  const std::string record = bleData::checkTime();
  const std::time_t after = std::time(nullptr);

  ASSERT_EQ(logged.log.lines.size(), 1u);
  EXPECT_EQ(logged.log.lines[0], "========= 时间的16进制 ========== " + record);
  const std::string tail = record.substr(20);
  EXPECT_TRUE(tail == standardTail || tail == daylightTail) << zoneName << " " << record;

  std::tm local{};
  ::localtime_r(&before, &local);
  char expected[16];
  std::snprintf(expected, sizeof expected, "%02X%02X%02X%02X%02X%02X", (local.tm_year + 1900) & 0xFF,
                (local.tm_year + 1900) >> 8, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  if (before / 60 == after / 60) {
    EXPECT_EQ(record.substr(0, 12), expected) << zoneName;
  }
}

TEST(BleDataCheckTime, RecordsThePresentInTheDeviceZone) {
  expectPresentRecord("Asia/Shanghai", "00C8", "00C8");
  expectPresentRecord("America/New_York", "00AA", "01A0");
  expectPresentRecord("Pacific/Kiritimati", "000104", "000104");
}

}  // namespace
}  // namespace kiro
