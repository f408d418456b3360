#include <gtest/gtest.h>

#include "platform/log.h"
#include "platform/user_defaults.h"

namespace kiro {
namespace {

TEST(UserDefaults, AValueOfAnotherTypeReadsAsAbsent) {
  MemoryUserDefaults defaults;
  defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}});
  defaults.set("jumpFlag", std::string("0"));
  EXPECT_EQ(defaults.dictionary("iphone"), (StringDictionary{{"name", "Kiro-7"}}));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
  EXPECT_EQ(defaults.dictionary("jumpFlag"), std::nullopt);
  EXPECT_EQ(defaults.string("iphone"), std::nullopt);
}

TEST(LogFormat, FillsEachSpecifierInOrderAndLeavesTheRestAlone) {
  EXPECT_EQ(format("第%d:%lu 当前的状态:%ld %@", 0, 8u, 2L, "FFB0"), "第0:8 当前的状态:2 FFB0");
  EXPECT_EQ(format("100% sure %@"), "100% sure %@");  // too few arguments: left as written
}

}  // namespace
}  // namespace kiro
