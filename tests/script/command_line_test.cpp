#include "script/command_line.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

std::string errorOf(const std::vector<std::string>& args) {
  auto result = parseCommandLine(args);
  auto* error = std::get_if<std::string>(&result);
  return error ? *error : "";
}

TEST(CommandLine, ReadsFlagsValuesAndTheScreen) {
  auto result = parseCommandLine({"--headless", "--simulate", "--virtual-time", "--script", "run.txt", "--settings",
                                  "/tmp/s.ini", "--documents", "/tmp/docs", "--screen", "320x568@2.5"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(result));
  const auto& options = std::get<CommandLine>(result);
  EXPECT_TRUE(options.headless && options.simulate && options.virtualTime);
  EXPECT_EQ(options.script, "run.txt");
  EXPECT_EQ(options.settings, "/tmp/s.ini");
  EXPECT_EQ(options.documents, "/tmp/docs");
  EXPECT_EQ(options.screenWidth, 320);
  EXPECT_EQ(options.screenHeight, 568);
  EXPECT_EQ(options.screenScale, 2.5);
}

TEST(CommandLine, DefaultsToAnIphoneSizedWindow) {
  const auto options = std::get<CommandLine>(parseCommandLine({}));
  EXPECT_EQ(options.screenWidth, 375);
  EXPECT_EQ(options.screenHeight, 667);
  EXPECT_EQ(options.screenScale, 2);
  EXPECT_FALSE(options.headless || options.simulate || options.bluetooth);
}

TEST(CommandLine, RejectsWhatItCannotHonourWithAClearMessage) {
  EXPECT_EQ(errorOf({"--frobnicate"}), "unknown option --frobnicate (see --help)");
  EXPECT_EQ(errorOf({"--script"}), "--script needs a value");
  EXPECT_EQ(errorOf({"--virtual-time", "--headless"}), "--virtual-time works only with --headless --simulate");
  EXPECT_EQ(errorOf({"--simulate", "--bluetooth"}), "--simulate and --bluetooth exclude each other");
  for (const char* screen : {"320x568", "320x568@0", "x568@2", "320x@2", "320x568@2x", "-1x5@2", "1e9x5@2", "320@2x568"})
    EXPECT_NE(errorOf({"--screen", screen}), "") << screen;
}

}  // namespace
}  // namespace kiro
