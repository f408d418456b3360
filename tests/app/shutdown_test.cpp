#include "app/shutdown.h"

#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using ShutdownTest = AppShellFixture;

// Told to end with a bulb under way: the sequence stops, the shutter is let go with its
// notice, which reaches the receiver before its link is closed for good, then the store is
// saved and the end reported, once.
TEST_F(ShutdownTest, AHeldShutterIsLetGoWithItsNoticeBeforeTheLinkClosesAndTheStoreIsSaved) {
  launch();
  auto& receiver = radio.addReceiver(std::string("Kiro-7"));
  defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver.identifier().UUIDString()}});
  loop.advance(3s);
  ASSERT_EQ(receiver.state(), PeripheralState::connected);
  auto& remote = *delegate->remote();
  ASSERT_TRUE(remote.startTimedShooting({ShootingPlan::Mode::bulb, std::nullopt, 10s, {}, {}}).ok());
  loop.advance(100ms);
  receiver.clearWrites();

  int finished = 0;
  Shutdown shutdown(*delegate, loop, [&] { ++finished; });
  shutdown.begin();
  shutdown.begin();
  EXPECT_EQ(remote.timedShooting().state, ShootingStatus::State::stopped);
  loop.advance(Shutdown::kNoticeTime + Shutdown::kCloseLimit);
  EXPECT_EQ(finished, 1);
  ASSERT_FALSE(receiver.writes().empty());
  EXPECT_EQ(receiver.writes().front().bytes, Bytes{0x40});
  EXPECT_TRUE(std::filesystem::exists(documents / "Tavrel.sqlite"));
  loop.advance(3s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
}

}  // namespace
}  // namespace kiro::app_test
