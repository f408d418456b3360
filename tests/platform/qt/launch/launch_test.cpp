#include "platform/qt/launch/launch.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace kiro {
namespace {

// Without its module a run goes on with simulated receivers and says why, unless Bluetooth
// was asked for: then it ends, naming the module.
TEST(Launch, WithoutItsModuleARunIsSimulatedUnlessBluetoothIsRequired) {
  const std::filesystem::path missing = "/nonexistent/kiro-bluetooth.so";
  CommandLine options;
  std::ostringstream said;
  std::streambuf* kept = std::cerr.rdbuf(said.rdbuf());
  const auto fallback = chooseBluetooth(options, missing);
  std::cerr.rdbuf(kept);
  ASSERT_TRUE(fallback.ok());
  EXPECT_EQ(fallback.value(), nullptr);
  EXPECT_NE(said.str().find("Bluetooth cannot be used: "), std::string::npos) << said.str();
  EXPECT_NE(said.str().find("using simulated receivers\n"), std::string::npos) << said.str();

  options.bluetooth = true;
  const auto required = chooseBluetooth(options, missing);
  ASSERT_FALSE(required.ok());
  EXPECT_NE(required.error().message.find(missing.string()), std::string::npos) << required.error().message;
}

}  // namespace
}  // namespace kiro
