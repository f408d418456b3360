#include "platform/qt/launch/launch.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

// Without its module a run goes on with simulated receivers and says why, unless Bluetooth
// was asked for: then it ends, naming the module.
TEST(Launch, WithoutItsModuleARunIsSimulatedUnlessBluetoothIsRequired) {
  const std::filesystem::path missing = "/nonexistent/kiro-bluetooth.so";
  CommandLine options;
  RecordingNotices notices;
  const auto fallback = chooseBluetooth(options, missing, notices);
  ASSERT_TRUE(fallback.ok());
  EXPECT_EQ(fallback.value(), nullptr);
  ASSERT_EQ(notices.said.size(), 2u);
  EXPECT_TRUE(notices.said[0].starts_with("Bluetooth cannot be used: ")) << notices.said[0];
  EXPECT_EQ(notices.said[1], "using simulated receivers");

  options.bluetooth = true;
  const auto required = chooseBluetooth(options, missing, notices);
  ASSERT_FALSE(required.ok());
  EXPECT_NE(required.error().message.find(missing.string()), std::string::npos) << required.error().message;
  EXPECT_EQ(notices.said.size(), 2u) << "an ending run says no fallback";
}

}  // namespace
}  // namespace kiro
