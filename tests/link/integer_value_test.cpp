#include "link/integer_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace kiro {
namespace {

// A frame's positions and a feedback byte's digits are read this way: a wrong sign or a
// wrapped overflow would put a command bit in the wrong place.
TEST(IntegerValue, ReadsLeadingDigitsWithTheirSignAndSaturates) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  const std::pair<const char*, std::int64_t> read[] = {
      {"42", 42},           {" \t\n42x", 42}, {"-17", -17},
      {"+8", 8},            {"", 0},          {"x1", 0},
      {"- 1", 0},           {"--1", 0},       {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},          {"-9223372036854775808", kMin},
      {"-99999999999999999999", kMin},
  };
  for (const auto& [text, value] : read) EXPECT_EQ(integerValue(text), value) << text;
  EXPECT_EQ(intValue("3000000000"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(intValue("-3000000000"), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace kiro
