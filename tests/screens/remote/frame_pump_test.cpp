#include "screens/remote/frame_pump.h"

#include <gtest/gtest.h>

#include "tests/support/logged_platform.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// A running pump on the virtual clock; written: the texts it handed over since last read.
class FramePumpTest : public ::testing::Test, protected test::LoggedPlatform {
 protected:
  void SetUp() override {
    pump->start([this](const std::string& text) { written += text.substr(0, 4) + " "; }, pump);
  }

  std::string take(Millis wait) {
    runLoop.advance(wait);
    return std::exchange(written, "");
  }

  std::shared_ptr<FramePump> pump = std::make_shared<FramePump>();
  std::string written;
};

// Idle writes nothing; the release notice lasts 1 s from its latest start and the
// acknowledge 85 ms from the latest one, unless ended first.
TEST_F(FramePumpTest, WritesEvery25msWhileSetAndTheTimedPositionsClearOnTime) {
  EXPECT_EQ(take(1s), "");
  pump->set(CommandFrame::focus, true);
  EXPECT_EQ(take(50ms), "0001 0001 ");
  pump->set(CommandFrame::focus, false);
  pump->startReleaseNotice();
  take(500ms);
  pump->startReleaseNotice();
  std::string notice;
  for (int tick = 0; tick < 39; ++tick) notice += "0100 ";
  EXPECT_EQ(take(1s), notice);

  pump->acknowledge();
  runLoop.advance(50ms);
  pump->acknowledge();
  EXPECT_EQ(take(135ms), "1000 1000 1000 1000 1000 ");
  pump->startReleaseNotice();
  pump->endReleaseNotice();
  EXPECT_EQ(take(1s), "");
  EXPECT_EQ(pump->timer04(), nullptr);
}

TEST_F(FramePumpTest, OnlySetOrClearOfAPositionInTheFrameChangesIt) {
  pump->writeMethods({"3"}, 0.0);
  pump->writeMethods({"0", "1", "2", "3"}, 0.5);
  pump->writeMethods({"4", "-1", "99999999999999999999"}, 0.0);
  pump->writeMethods({"4", "-1"}, 1.0);
  EXPECT_EQ(pump->byteArray().text(), "00010000");
  pump->clear();
  EXPECT_TRUE(pump->byteArray().idle());
}

}  // namespace
}  // namespace kiro
