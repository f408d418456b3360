#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kiro
