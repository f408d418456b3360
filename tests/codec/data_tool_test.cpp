#include "codec/data_tool.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

using test::expectEach;

TEST(DataTool, BitTextBecomesDecimalThenHexWithSaturatingTerms) {
  // A decimal digit counts with its value, any other character as 0.
  expectEach<std::string, std::string>(dataTool::toDecimalSystemWithBinarySystem, {
      {"10010000", "144"}, {"2", "2"}, {"1x1", "5"},
      {"1" + std::string(31, '0'), "2147483647"},  // 2^31 clamps
      {std::string(32, '1'), "-2"},                // the clamped top term plus 2^31 - 1 wraps
  });
  expectEach<std::int32_t, std::string>(dataTool::tenTenAD, {{5, "5"}, {256, "100"}, {-1, "ffffffff"}});
  using Width = std::pair<std::uint16_t, std::int32_t>;
  expectEach<Width, std::string>([](const Width& c) { return dataTool::decimalTOBinary(c.first, c.second); },
                                 {{{5, 8}, "00000101"}, {{200, 3}, "11001000"}, {{0, 1}, "0"}, {{5, -4}, "101"}});
}

TEST(DataTool, HexTextBecomesBytesOnlyInWholeHexPairs) {
  expectEach<std::string, std::optional<Bytes>>(dataTool::stringToByte2, {
      {"0A 1b", Bytes{0x0A, 0x1B}}, {"", Bytes{}}, {"5", std::nullopt}, {"G0", std::nullopt}, {"0G", std::nullopt},
      {"1\t2", std::nullopt},  // only spaces are dropped
  });
  EXPECT_EQ(dataTool::hexadecimalString(Bytes{0x01, 0xFF, 0x0A}), "125510");
  EXPECT_EQ(dataTool::hexadecimalString(std::nullopt), std::nullopt);
}

TEST(DataTool, HexPairsDecodeAsUtf8UpToTheFirstZeroByte) {
  test::LoggedPlatform logged;
  // A lone last character has no partner; a pair that does not scan ends the text like a zero byte.
  expectEach<std::string, std::optional<std::string>>(dataTool::stringFromHexString, {
      {"410042", "A"}, {"414", "A"}, {"6f", "o"}, {"C3A9", "\xC3\xA9"}, {"41G1", "A"}, {"FF41", std::nullopt},
  });
  EXPECT_TRUE(logged.log.contains("------字符串=======(null)"));
}

}  // namespace
}  // namespace kiro
