#include "base/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "tests/support/failure.h"

namespace kiro {
namespace {

TEST(SettingsFile, OnlyAFileARewriteKeepsWholeIsAccepted) {
  const auto path = std::filesystem::temp_directory_path() / ("settings-" + std::to_string(::getpid()) + ".ini");
  struct Case {
    const char* text;
    std::string damage;
  };
  for (const Case& c : {
           Case{"[General]\r\njumpFlag=0\n\n  [iphone]  \nname = K=7\nunknown=kept\n", ""},
           Case{"[General]\n# a comment\n", "line 2 is not a setting: \"# a comment\""},
           Case{"; comment=1\n", "line 1 is not a setting: \"; comment=1\""},
           Case{"# KIRO Remote\n\nA README.\n", "line 1 is not a setting: \"# KIRO Remote\""},
           Case{"ftp\t21/tcp\n", "line 1 is not a setting: \"ftp\\x0921/tcp\""},
           Case{"[General\n", "line 1 is not a setting: \"[General\""},
           Case{"=value\n", "line 1 is not a setting: \"=value\""},
           Case{"name=caf\xE9\n", "line 1 is not UTF-8 text"},
           Case{"a=1\nb\x01=2\n", "line 2 is not a setting: \"b\\x01=2\""},
       }) {
    std::ofstream(path, std::ios::binary) << c.text;
    EXPECT_EQ(failure(checkSettingsFile(path)), c.damage) << c.text;
  }
  std::filesystem::remove(path);
  EXPECT_TRUE(checkSettingsFile(path).ok());
}

}  // namespace
}  // namespace kiro
