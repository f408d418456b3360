#include <gtest/gtest.h>

#include "platform/log.h"
#include "platform/user_defaults.h"

namespace kiro {
namespace {

TEST(MemoryUserDefaults, ReadsBackEachTypeAndTreatsTheWrongTypeAsAbsent) {
  MemoryUserDefaults defaults;
  defaults.set("jumpFlag", std::string("0"));
  defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", "X"}});
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
  EXPECT_EQ(defaults.dictionary("iphone")->at("name"), "Kiro-7");
  EXPECT_EQ(defaults.dictionary("jumpFlag"), std::nullopt);
  EXPECT_EQ(defaults.string("iphone"), std::nullopt);
  EXPECT_EQ(defaults.string("missing"), std::nullopt);
  defaults.set("iphone", std::string("replaced"));
  EXPECT_EQ(defaults.string("iphone"), "replaced");
}

TEST(LogFormat, FillsEachSpecifierInOrderAndLeavesTheRestAlone) {
  EXPECT_EQ(format("第%d:%lu", 0, 8u), "第0:8");
  EXPECT_EQ(format("需要写入的服务是:%@,需要写入的特征是:%@", "FFB0", std::string("FFB2")),
            "需要写入的服务是:FFB0,需要写入的特征是:FFB2");
  EXPECT_EQ(format("当前的状态:%ld", 2L), "当前的状态:2");
  EXPECT_EQ(format("100% sure %@"), "100% sure %@");  // too few arguments: left as written
  EXPECT_EQ(format("%@%@%@%@0000", "0", "0", "1", "1"), "00110000");
}

TEST(CapturingLog, KeepsEveryLine) {
  CapturingLog log;
  log.line("正在查找蓝牙设备");
  log.line("刷新列表广播发送");
  EXPECT_TRUE(log.contains("刷新列表广播发送"));
  EXPECT_EQ(log.lines.size(), 2u);
}

}  // namespace
}  // namespace kiro
