#include "base/terminal_text.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(TerminalText, EscapesWhatCouldDriveOrDisguiseAndKeepsTheRest) {
  struct Case {
    const char* text;
    const char* shown;
  };
  for (const Case& c : {
           Case{"\x1b[31mred\x1b]0;title\x07", "\\x1b[31mred\\x1b]0;title\\x07"},
           Case{"a\tb\nc\x7f", "a\\x09b\\x0ac\\x7f"},
           Case{"file\xE2\x80\xAEtxt.exe \xE2\x81\xA6x\xE2\x81\xA9 \xE2\x80\x8F",
                "file\\u202etxt.exe \\u2066x\\u2069 \\u200f"},
           Case{"\xC2\x9B" "2J \xC2\x80 \xC2\xA0", "\\u009b2J \\u0080 \xC2\xA0"},
           // The edges of the ranges, and U+200D and U+202F just past them.
           Case{"\x1F\xC2\x9F\xE2\x80\x8E\xE2\x80\xAA\xE2\x80\x8D\xE2\x80\xAF",
                "\\x1f\\u009f\\u200e\\u202a\xE2\x80\x8D\xE2\x80\xAF"},
           Case{"K\xFF\xE2\x82 \xC0\xAF", "K\\xff\\xe2\\x82 \\xc0\\xaf"},
           Case{"更新状态 KIRO 12 — é \xF0\x9F\x93\xB7", "更新状态 KIRO 12 — é \xF0\x9F\x93\xB7"},
       })
    EXPECT_EQ(terminalSafe(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace kiro
