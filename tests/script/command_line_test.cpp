#include "script/command_line.h"

#include <gtest/gtest.h>

#include "tests/support/failure.h"

namespace kiro {
namespace {

std::string errorOf(const std::vector<std::string>& args) { return failure(parseCommandLine(args)); }

TEST(CommandLine, ReadsFlagsValuesAndTheScreenAndDefaultsToAPhoneSizedWindow) {
  const auto options = parseCommandLine({"--headless", "--simulate", "--virtual-time", "--script", "run.txt",
                                         "--documents=/tmp/d=s", "--screen", "320x568@2.5"})
                           .value();
  EXPECT_TRUE(options.headless && options.simulate && options.virtualTime && !options.bluetooth);
  EXPECT_EQ(options.script, "run.txt");
  EXPECT_EQ(options.documents, "/tmp/d=s");
  EXPECT_EQ(options.settings, std::nullopt);
  EXPECT_EQ(std::tuple(options.screenWidth, options.screenHeight, options.screenScale), std::tuple(320, 568, 2.5));
  const auto defaults = parseCommandLine({}).value();
  EXPECT_EQ(std::tuple(defaults.screenWidth, defaults.screenHeight, defaults.screenScale), std::tuple(375, 667, 2));
}

TEST(CommandLine, ServesTheWebRemoteOnLoopbackUnlessAnAddressIsGiven) {
  EXPECT_EQ(parseCommandLine({"--web", "8080"}).value().web, (WebListen{"127.0.0.1", 8080}));
  EXPECT_EQ(parseCommandLine({"--web=0.0.0.0:80"}).value().web, (WebListen{"0.0.0.0", 80}));
  EXPECT_EQ(parseCommandLine({"--web", "[::1]:0"}).value().web, (WebListen{"::1", 0}));
  for (const char* web : {"", ":80", "65536", "80x", "-1", "host:", "[::1", "a b:80"})
    EXPECT_NE(errorOf({"--web", web}), "") << web;
  EXPECT_EQ(errorOf({"--web", "80", "--web-cert", "c.pem"}), "--web-cert and --web-key go together");
  EXPECT_EQ(errorOf({"--web-cert", "c.pem", "--web-key", "k.pem"}), "--web-cert and --web-key need --web");
  EXPECT_EQ(errorOf({"--headless", "--simulate", "--virtual-time", "--web", "80"}), "--web does not run on the virtual clock");
}

TEST(CommandLine, RejectsWhatItCannotHonourWithAClearMessage) {
  EXPECT_EQ(errorOf({"--frobnicate"}), "unknown option --frobnicate (see --help)");
  EXPECT_EQ(errorOf({"--script"}), "--script needs a value");
  EXPECT_EQ(errorOf({"--script="}), "--script needs a value");
  EXPECT_EQ(errorOf({"--verbose=1"}), "--verbose takes no value");
  EXPECT_EQ(errorOf({"--virtual-time", "--headless"}), "--virtual-time works only with --headless --simulate");
  EXPECT_EQ(errorOf({"--simulate", "--bluetooth"}), "--simulate and --bluetooth exclude each other");
  for (const char* screen : {"320x568", "320x568@0", "x568@2", "320x@2", "320x568@2x", "-1x5@2", "1e9x5@2", "320@2x568"})
    EXPECT_NE(errorOf({"--screen", screen}), "") << screen;
}

}  // namespace
}  // namespace kiro
