#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "codec/ble_data.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

using test::expectEach;

// Never rejects: a character outside 0-9 and A-F reads as a lower-case letter would. Each
// placed pair saturates to 32 bits, and their sum wraps.
TEST(BleDataConversions, HexTextReadsPairByPairSaturatingEachPlacedPair) {
  expectEach<std::string, std::int32_t>(bleData::ToHex, {
      {"1A", 26}, {"a", 10}, {"0100", 256},
      {"80000000", INT_MAX},      // 0x80 × 2^24 is 2^31: clamped
      {"FFFFFFFF", -2130706434},  // the clamped top pair plus 0xFFFFFF wraps
      {"01" + std::string(300, '0'), INT_MAX},  // a place past what a double holds
  });
  expectEach<std::string, std::int32_t>(bleData::littleEndianModeToInt,
                                        {{"3412", 0x1234}, {"341", 0x34}, {"00000080", INT_MAX}});
  // A lone last character has no partner; "z" is upper-cased before it reads as a lower-case
  // letter would. Code 0 adds nothing; codes above 0x7F are Latin-1.
  expectEach<std::string, Bytes>(bleData::stringToByte, {{"1a 2B", {0x1A, 0x2B}}, {"1A2", {0x1A}}, {"0z", {0x03}}});
  expectEach<std::string, std::string>(bleData::getNameWithASCII,
                                       {{"41424", "AB"}, {"410042", "AB"}, {"41E9", "A\xC3\xA9"}, {"7F80", "\x7F\xC2\x80"}});
}

TEST(BleDataConversions, NumbersBecomeFittedHexAndBits) {
  using Fit = std::pair<std::string, std::int32_t>;
  expectEach<Fit, std::string>([](const Fit& c) { return bleData::intToLittle(c.first, c.second); },
                               {{{"7EA", 4}, "EA07"}, {{"1234", 5}, "341200"}, {{"123456", 4}, "5634"},
                                {{"12", -1}, ""}});
  using Sized = std::pair<std::int64_t, std::int32_t>;
  expectEach<Sized, std::string>([](const Sized& c) { return bleData::getHex(c.first, c.second); },
                                 {{{2026, 2}, "07EA"}, {{300, 1}, "012C"}, {{300, 4}, "0000012C"}, {{5, -3}, "05"},
                                  {{-20, 1}, "FFFFFFFFFFFFFFEC"}});
  expectEach<std::int32_t, std::string>(bleData::toBinary, {{0, "0"}, {6, "110"}, {INT_MAX, std::string(31, '1')}});
  EXPECT_EQ(bleData::dataToByteTohex({0x01, 0xAB}), "01ab");
  EXPECT_EQ(bleData::CBUUIDToString(BleUuid::from16(0xFFB0)), "FFB0");
  EXPECT_EQ(bleData::CBUUIDToString(*BleUuid::parse("1234abcd")), "1234ABCD");
  EXPECT_EQ(bleData::CBUUIDToString(*BleUuid::parse("6e400001-b5a3-f393-e0a9-e50e24dcca9e")),
            "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
}

TEST(BleDataChecksums, Crc32OfTheCountedBytesAndModbusCrc16HighByteFirst) {
  const std::string check = "123456789";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(check.data());
  EXPECT_EQ(bleData::crc32(bytes, 9), 0xCBF43926u);
  EXPECT_EQ(bleData::crc32(bytes, 1), 0x83DCEFB7u);
  EXPECT_EQ(bleData::crc32(nullptr, 4), 0u);  // no storage counts as no bytes
  EXPECT_EQ(bleData::crc_16_check(Bytes(check.begin(), check.end())), "4b37");
  EXPECT_EQ(bleData::crc_16_check({'a', 'b', 'c'}), "5749");
}

}  // namespace
}  // namespace kiro
