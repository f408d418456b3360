#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using RemoteScreenFeedback = RemoteScreenFixture;

// Bits 0x08 release completed (blue and the acknowledge), 0x02 shutter (red), 0x01 focus
// (green); each lamp and the acknowledge last their own time after the latest feedback.
TEST_F(RemoteScreenFeedback, FeedbackLightsEachLampForItsOwnTimeAndAcknowledgesFor85ms) {
  auto& receiver = loadAndConnect();
  loop.advance(15ms);  // pump ticks now fall 10, 35, 60, 85 ... ms after the feedback
  receiver.simulateNotification({0x0B});
  loop.advance(50ms);
  receiver.simulateNotification({0x09});
  const std::pair<Millis, const char*> looks[] = {
      {84ms, "GBR"}, {1ms, "G-R"}, {864ms, "G-R"}, {1ms, "G--"}, {49ms, "G--"}, {1ms, "---"}};
  for (const auto& [wait, shown] : looks) {
    loop.advance(wait);
    EXPECT_EQ(lamps(), shown) << loop.now().count();
  }
  EXPECT_EQ(takeBytes(receiver), Bytes(5, 0x80));
}

TEST_F(RemoteScreenFeedback, ReleaseNoticeFeedbackEndsTheNoticeAtOnce) {
  auto& receiver = loadAndConnect();
  touch("Rr");
  loop.advance(100ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(4, 0x40));
  receiver.simulateNotification({0x04});
  EXPECT_EQ(remote->timer04(), nullptr);
  loop.advance(1s);
  EXPECT_EQ(takeBytes(receiver), Bytes{});
  EXPECT_EQ(lamps(), "---");
}

TEST_F(RemoteScreenFeedback, AnEntryActsOnlyWhenTheArrayHoldsItAndItReadsAsOne) {
  remote->loadViewIfNeeded();
  const struct {
    UserInfo userInfo;
    const char* lamps;
  } cases[] = {
      {{}, "---"},
      {{{"lightArray", LampArray{"1"}}}, "-B-"},
      {{{"lightArray", LampArray{"0", "0", "0", "1", "1"}}}, "G--"},
      {{{"lightArray", LampArray{" 1", "x", "2", "01"}}}, "GB-"},
  };
  for (const auto& c : cases) {
    center.post("light", c.userInfo);
    EXPECT_EQ(lamps(), c.lamps);
    EXPECT_EQ(remote->byteArray()[0] == "1", c.lamps[1] == 'B');
    loop.advance(2s);
  }
}

}  // namespace
}  // namespace kiro::remote_test
