#include "platform/notices.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace kiro {
namespace {

// A notice quotes text from outside as it came: a receiver named to drive the terminal, or
// to forge a line of its own, is shown escaped on the notice's one line.
TEST(Notices, OnStderrEachIsOneLineAfterTheAppsNameWithItsControlCharactersEscaped) {
  std::ostringstream said;
  std::streambuf* kept = std::cerr.rdbuf(said.rdbuf());
  StderrNotices().say("\x1b]0;owned\x07KIRO\nkiro-remote: all is well");
  std::cerr.rdbuf(kept);
  EXPECT_EQ(said.str(), "kiro-remote: \\x1b]0;owned\\x07KIRO\\x0akiro-remote: all is well\n");
}

}  // namespace
}  // namespace kiro
