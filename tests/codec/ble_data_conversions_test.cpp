#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "codec/ble_data.h"

namespace kiro {
namespace {

struct TextToNumber {
  std::string text;
  std::int32_t expected;
};

TEST(BleDataToHex, ReadsPairsWithTheLastLeastSignificantSaturatingEachPlacedPair) {
  const TextToNumber cases[] = {
      {"1A", 26},     {"1a", 26},       {"A", 10},    {"", 0},
      {"0100", 256},  {"12345", 74565}, {"ff", 255},  {"7FFFFFFF", INT_MAX},
      {"0g", 16},  // never rejects: an unknown character reads as a lower-case letter would
      {"80000000", INT_MAX},     // 0x80 × 2^24 is 2^31: clamped
      {"FFFFFFFF", -2130706434},  // the clamped top pair plus 0xFFFFFF wraps
      {"01" + std::string(300, '0'), INT_MAX},  // a place past what a double holds
      {std::string(400, '0'), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::ToHex(c.text), c.expected) << c.text.substr(0, 10);
}

TEST(BleDataLittleEndianModeToInt, ReadsPairsWithTheFirstLeastSignificant) {
  const TextToNumber cases[] = {
      {"3412", 4660}, {"341", 52},   {"1", 0},   {"", 0}, {"78563412", 0x12345678},
      {"FFFFFF7F", INT_MAX}, {"00000080", INT_MAX},  // 0x80 in the top place clamps
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::littleEndianModeToInt(c.text), c.expected) << c.text;
}

TEST(BleDataStringToByte, ReadsPairsIgnoringSpacesCaseAndALoneLastCharacter) {
  const struct {
    std::string text;
    Bytes expected;
  } cases[] = {
      {"1a 2B", {0x1A, 0x2B}}, {"", {}}, {" ", {}}, {"ff00", {0xFF, 0x00}},
      {"1A2", {0x1A}},  // the "2" has no partner
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::stringToByte(c.text), c.expected) << c.text;
}

TEST(BleDataGetNameWithASCII, TurnsEachPairIntoTheCharacterWithThatCode) {
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {"414243", "ABC"}, {"6a6B", "jk"}, {"", ""},
      {"41424", "AB"},       // the lone "4" has no partner
      {"410042", "AB"},      // code 0 adds nothing
      {"41E9", "A\xC3\xA9"},  // codes above 0x7F as the Latin-1 character, in UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::getNameWithASCII(c.text), c.expected) << c.text;
}

TEST(BleDataIntToLittle, ReversesPairsThenFitsToLength) {
  const struct {
    std::string text;
    std::int32_t length;
    std::string expected;
  } cases[] = {
      {"07EA", 4, "EA07"},   {"7EA", 4, "EA07"},     {"A", 4, "0A00"},  {"1234", 6, "341200"},
      {"1234", 5, "341200"},  // padding goes by whole pairs
      {"", 2, "00"},         {"123456", 4, "5634"},  {"1234", 0, ""},   {"1234", -1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(bleData::intToLittle(c.text, c.length), c.expected) << c.text << " " << c.length;
}

TEST(BleDataGetHex, WritesUpperCaseHexOfAtLeastTheGivenBytes) {
  const struct {
    std::int64_t value;
    std::int32_t bytes;
    std::string expected;
  } cases[] = {
      {2026, 2, "07EA"},
      {5, 1, "05"},
      {255, 1, "FF"},
      {256, 1, "0100"},
      {300, 1, "012C"},
      {300, 4, "0000012C"},
      {0, 0, "00"},
      {5, -3, "05"},
      {-20, 1, "FFFFFFFFFFFFFFEC"},
      {INT64_MIN, 1, "8000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(bleData::getHex(c.value, c.bytes), c.expected) << c.value;
}

TEST(BleDataToBinary, WritesBase2WithoutLeadingZeros) {
  EXPECT_EQ(bleData::toBinary(0), "0");
  EXPECT_EQ(bleData::toBinary(1), "1");
  EXPECT_EQ(bleData::toBinary(2), "10");
  EXPECT_EQ(bleData::toBinary(6), "110");
  EXPECT_EQ(bleData::toBinary(255), "11111111");
  EXPECT_EQ(bleData::toBinary(INT_MAX), std::string(31, '1'));
}

TEST(BleDataDataToByteTohex, WritesTwoLowerCaseDigitsPerByte) {
  EXPECT_EQ(bleData::dataToByteTohex({0x01, 0xAB, 0x00, 0x10}), "01ab0010");
  EXPECT_EQ(bleData::dataToByteTohex({0x0F, 0xFF}), "0fff");
  EXPECT_EQ(bleData::dataToByteTohex({}), "");
}

TEST(BleDataCBUUIDToString, WritesTheStandardUpperCaseForm) {
  EXPECT_EQ(bleData::CBUUIDToString(BleUuid::from16(0xFFB0)), "FFB0");
  EXPECT_EQ(bleData::CBUUIDToString(*BleUuid::parse("6e400001-b5a3-f393-e0a9-e50e24dcca9e")),
            "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
  EXPECT_EQ(bleData::CBUUIDToString(*BleUuid::parse("1234abcd")), "1234ABCD");
}

}  // namespace
}  // namespace kiro
