#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using AppLaunch = AppShellFixture;

TEST_F(AppLaunch, MakesNoBluetoothObjectUntilTheRootScreenLoadsAndScansASecondLater) {
  ASSERT_TRUE(delegate->didFinishLaunchingWithOptions());
  EXPECT_FALSE(singleton::sharedExists());
  EXPECT_EQ(loop.now(), 1ms);  // the blocking sleep at launch
  EXPECT_TRUE(application.isIdleTimerDisabled());
  EXPECT_TRUE(delegate->window()->isKeyWindow());
  EXPECT_EQ(delegate->window()->frame(), makeRect(0, 0, 320, 568));
  EXPECT_EQ(stack(), std::vector<std::string>{"remote"});
  EXPECT_FALSE(delegate->remote()->isViewLoaded());

  delegate->window()->display();
  EXPECT_TRUE(singleton::sharedExists());
  EXPECT_EQ(singleton::defaultManager().connectionFlag(), 1);
  loop.advance(999ms);
  EXPECT_EQ(postsOf("正在查找蓝牙设备"), 0);
  loop.advance(1ms);
  EXPECT_EQ(postsOf("正在查找蓝牙设备"), 1);
}

TEST_F(AppLaunch, LifeCycleCallbacksLeaveScanningAndTheStackAsTheyAre) {
  launch();
  loop.advance(1500ms);
  delegate->applicationWillResignActive();
  delegate->applicationDidEnterBackground();
  delegate->applicationWillEnterForeground();
  delegate->applicationDidBecomeActive();
  loop.advance(5000ms);
  EXPECT_EQ(postsOf("正在查找蓝牙设备"), 1);
  EXPECT_EQ(stack(), std::vector<std::string>{"remote"});
  EXPECT_TRUE(application.isIdleTimerDisabled());
  EXPECT_FALSE(std::filesystem::exists(documents / "Tavrel.sqlite"));
}

TEST_F(AppLaunch, TerminationMakesTheEmptyStoreAndLogsNothing) {
  launch();
  const auto linesBefore = log.lines.size();
  delegate->applicationWillTerminate();
  EXPECT_TRUE(std::filesystem::is_regular_file(documents / "Tavrel.sqlite"));
  EXPECT_NE(delegate->managedObjectContext(), nullptr);
  EXPECT_EQ(delegate->applicationDocumentsDirectory(), documents);
  EXPECT_EQ(log.lines.size(), linesBefore);
}

}  // namespace
}  // namespace kiro::app_test
