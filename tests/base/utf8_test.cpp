#include "base/utf8.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

// Each form at the edges of its lead and second byte, and just past them.
TEST(Utf8, AcceptsEachFormToItsEdgesAndNothingPastThem) {
  for (const char* text : {"A", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEF\xBF\xBF",
                           "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
    EXPECT_TRUE(isValidUtf8(text)) << text;
  for (const char* text : {"\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xE2\x82" "A", "\xE2\x82",
                           "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF0\x90\x80" "A"})
    EXPECT_FALSE(isValidUtf8(text)) << text;
}

TEST(Utf8, ReplacesEachByteThatStartsNoSequenceAndKeepsTheRest) {
  EXPECT_EQ(validUtf8("a\xFF" "b\xE2\x82\xAC\xE2\x82" "c"),
            "a\xEF\xBF\xBD" "b\xE2\x82\xAC\xEF\xBF\xBD\xEF\xBF\xBD" "c");
}

}  // namespace
}  // namespace kiro
