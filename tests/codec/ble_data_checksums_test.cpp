#include <gtest/gtest.h>

#include <string>

#include "codec/ble_data.h"

namespace kiro {
namespace {

Bytes ascii(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(BleDataCrc32, IsTheStandardCrc32OfTheCountedBytes) {
  const struct {
    Bytes bytes;
    std::uint32_t expected;
  } cases[] = {
      {ascii("123456789"), 0xCBF43926u},
      {ascii("abc"), 0x352441C2u},
      // One byte b gives table entry (b XOR 0xFF) with the top byte flipped: entries 255 and 1.
      {{0x00}, 0x2D02EF8Du ^ 0xFF000000u},
      {{0xFE}, 0x77073096u ^ 0xFF000000u},
  };
  for (const auto& c : cases)
    EXPECT_EQ(bleData::crc32(c.bytes.data(), static_cast<std::int64_t>(c.bytes.size())), c.expected);

  const Bytes longer = ascii("abcdef");
  EXPECT_EQ(bleData::crc32(longer.data(), 3), 0x352441C2u);  // only the counted bytes
  bleData::init_table();
  EXPECT_EQ(bleData::crc32(longer.data(), 3), 0x352441C2u);  // rebuilding changes nothing
}

TEST(BleDataCrc32, ACountBelowOneReadsNothing) {
  EXPECT_EQ(bleData::crc32(nullptr, 0), 0u);
  EXPECT_EQ(bleData::crc32(nullptr, -1), 0u);
  EXPECT_EQ(bleData::crc32(nullptr, INT64_MIN), 0u);
  EXPECT_EQ(bleData::crc32(nullptr, 4), 0u);  // no storage counts as no bytes
}

TEST(BleDataCrc16, IsTheModbusCrcHighByteFirstInLowerCaseHex) {
  const struct {
    Bytes bytes;
    std::string expected;
  } cases[] = {
      {ascii("123456789"), "4b37"},
      {ascii("abc"), "5749"},
      {{0x01, 0x02}, "e181"},
      {{}, "ffff"},
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::crc_16_check(c.bytes), c.expected);
}

}  // namespace
}  // namespace kiro
