#include "codec/data_tool.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

TEST(DataToolCommandChain, TurnsEachFrameIntoItsOneCommandByte) {
  const struct {
    std::string frame;
    std::string decimal;
    std::string hex;
    std::uint8_t byte;
  } examples[] = {
      {"10000000", "128", "80", 0x80},
      {"00010000", "16", "10", 0x10},
      {"11110000", "240", "f0", 0xF0},
  };
  for (const auto& e : examples) {
    const std::string decimal = dataTool::toDecimalSystemWithBinarySystem(e.frame);
    const std::string hex = dataTool::tenTenAD(std::stoi(decimal));
    EXPECT_EQ(decimal, e.decimal);
    EXPECT_EQ(hex, e.hex);
    EXPECT_EQ(dataTool::stringToByte2(hex), Bytes{e.byte}) << e.frame;
  }
  for (unsigned positions = 1; positions < 16; ++positions) {
    std::string frame;
    for (unsigned bit = 8; bit != 0; bit >>= 1) frame += (positions & bit) ? '1' : '0';
    frame += "0000";
    const std::string hex = dataTool::tenTenAD(std::stoi(dataTool::toDecimalSystemWithBinarySystem(frame)));
    EXPECT_EQ(hex.size(), 2u) << frame;
    EXPECT_EQ(dataTool::stringToByte2(hex), Bytes{static_cast<std::uint8_t>(positions << 4)}) << frame;
  }
}

TEST(DataToolToDecimalSystemWithBinarySystem, SumsDigitsByPlaceWithSaturatingTerms) {
  const struct {
    std::string bits;
    std::string expected;
  } cases[] = {
      {"1010", "10"},
      {"", "0"},
      {"2", "2"},    // a decimal digit counts with its value
      {"1x1", "5"},  // any other character counts as 0
      {std::string(31, '1'), "2147483647"},
      {"1" + std::string(31, '0'), "2147483647"},  // 2^31 clamps
      {std::string(32, '1'), "-2"},                // the clamped top term plus 2^31 - 1 wraps
      {std::string(300, '0'), "0"},                // places past what a float holds
      {"1" + std::string(299, '0'), "2147483647"},
  };
  for (const auto& c : cases) EXPECT_EQ(dataTool::toDecimalSystemWithBinarySystem(c.bits), c.expected) << c.bits;
}

TEST(DataToolTenTenAD, WritesTheLowerCaseHexOfThe32BitPattern) {
  EXPECT_EQ(dataTool::tenTenAD(5), "5");
  EXPECT_EQ(dataTool::tenTenAD(0), "0");
  EXPECT_EQ(dataTool::tenTenAD(256), "100");
  EXPECT_EQ(dataTool::tenTenAD(-1), "ffffffff");
  EXPECT_EQ(dataTool::tenTenAD(INT32_MIN), "80000000");
}

TEST(DataToolDecimalTOBinary, LeftFillsTheBitsToTheWidth) {
  const struct {
    std::uint16_t value;
    std::int32_t width;
    std::string expected;
  } cases[] = {
      {5, 1, "101"},          {0, 1, "0"},   {0, 0, ""},
      {5, 8, "00000101"},     {200, 3, "11001000"},
      {65535, 3, std::string(16, '1')},
      {5, -4, "101"},  // a negative width asks for no filling
  };
  for (const auto& c : cases)
    EXPECT_EQ(dataTool::decimalTOBinary(c.value, c.width), c.expected) << c.value << " " << c.width;
}

TEST(DataToolStringToByte2, AcceptsOnlyWholeHexPairs) {
  const struct {
    std::string text;
    std::optional<Bytes> expected;
  } cases[] = {
      {"80", Bytes{0x80}},
      {"f0", Bytes{0xF0}},
      {"0A 1B", Bytes{0x0A, 0x1B}},
      {"1a2b", Bytes{0x1A, 0x2B}},
      {"", Bytes{}},
      {"  ", Bytes{}},
      {"5", std::nullopt},
      {"1", std::nullopt},
      {"G0", std::nullopt},
      {"0G", std::nullopt},
      {"1\t2", std::nullopt},  // only spaces are dropped
      {"\xC3\xA9", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(dataTool::stringToByte2(c.text), c.expected) << c.text;
}

TEST(DataToolHexadecimalString, WritesEachByteInDecimal) {
  EXPECT_EQ(dataTool::hexadecimalString(Bytes{0x01, 0xFF, 0x0A}), "125510");
  EXPECT_EQ(dataTool::hexadecimalString(Bytes{0x00}), "0");
  EXPECT_EQ(dataTool::hexadecimalString(Bytes{}), "");
  EXPECT_EQ(dataTool::hexadecimalString(std::nullopt), std::nullopt);
}

TEST(DataToolStringFromHexString, DecodesPairsAsUtf8UpToTheFirstZeroByte) {
  const struct {
    std::string text;
    std::optional<std::string> expected;
  } cases[] = {
      {"4142", "AB"},
      {"410042", "A"},
      {"414", "A"},  // the lone "4" has no partner
      {"4", ""},
      {"", ""},
      {"C3A9", "\xC3\xA9"},
      {"41G1", "A"},        // a pair that does not scan ends the text like a zero byte
      {"FF41", std::nullopt},  // not UTF-8
      {"EDA080", std::nullopt},  // a surrogate is not UTF-8 either
  };
  for (const auto& c : cases) {
    test::LoggedPlatform logged;
    EXPECT_EQ(dataTool::stringFromHexString(c.text), c.expected) << c.text;
    ASSERT_EQ(logged.log.lines.size(), 1u);
    EXPECT_EQ(logged.log.lines[0], "------字符串=======" + c.expected.value_or("(null)"));
  }
}

}  // namespace
}  // namespace kiro
