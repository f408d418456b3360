#include "app/remote_control.h"

#include "codec/ble_data.h"
#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using Kind = ControlRefusal::Kind;

class RemoteControlTest : public AppShellFixture {
 protected:
  SimulatedReceiver& connectReceiver() {
    launch();
    auto& receiver = radio.addReceiver(std::string("Kiro-7"));
    defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver.identifier().UUIDString()}});
    loop.advance(3s);
    EXPECT_EQ(control.state().connection, 2);
    receiver.clearWrites();
    return receiver;
  }

  // The bytes the receiver got, one a write, since the last call.
  static std::string frames(SimulatedReceiver& receiver) {
    std::string text;
    for (const auto& write : receiver.writes()) text += bleData::dataToByteTohex(write.bytes) + " ";
    receiver.clearWrites();
    return text;
  }

  static std::optional<Kind> kind(const ControlResult& result) {
    return result.ok() ? std::nullopt : std::optional(result.error().kind);
  }

  RemoteControl control{*delegate, loop};
};

// What the bus test does not reach: focus and the self-timer's refusals and stored delay.
TEST_F(RemoteControlTest, RefusesWhatAHandCouldNotDoAndChangesNothing) {
  launch();
  EXPECT_EQ(kind(control.setFocus(true)), Kind::notConnected);
  EXPECT_FALSE(control.state().focus);
  connectReceiver();
  defaults.set("timerDelay", std::string("7"));
  ASSERT_TRUE(control.selfTimer().ok());
  EXPECT_EQ(control.state().timer.nextAt, loop.now() + 7s);
  EXPECT_EQ(kind(control.shoot(0ms)), Kind::busy);
}

TEST_F(RemoteControlTest, AShotHoldsTheShutterAsLongAsAskedThenLetsGoWithTheNotice) {
  auto& receiver = connectReceiver();
  ASSERT_TRUE(control.shoot(100ms).ok());
  loop.advance(99ms);
  EXPECT_TRUE(control.state().shutter);
  EXPECT_EQ(frames(receiver), "30 30 30 ");
  loop.advance(1ms);
  EXPECT_FALSE(control.state().shutter);
  loop.advance(99ms);
  EXPECT_EQ(frames(receiver), "40 40 40 40 ");
}

// A remote that pressed and then crashed, or forgot, must not hold a camera open.
TEST_F(RemoteControlTest, AShutterPressedByACallerIsLetGoWhenItLeavesOrAtTheHoldLimit) {
  connectReceiver();
  ASSERT_TRUE(control.pressShutter(":1.5").ok());
  control.callerLeft(":1.6");
  EXPECT_TRUE(control.state().shutter);
  control.callerLeft(":1.5");
  EXPECT_FALSE(control.state().shutter);

  ASSERT_TRUE(control.pressShutter(":1.7").ok());
  loop.advance(RemoteControl::kHoldLimit - 10s);
  ASSERT_TRUE(control.pressShutter(":1.7").ok());
  loop.advance(RemoteControl::kHoldLimit - 1ms);
  EXPECT_TRUE(control.state().shutter);
  loop.advance(1ms);
  EXPECT_FALSE(control.state().shutter);

  ASSERT_TRUE(control.setFocus(true).ok());
  ASSERT_TRUE(control.setFocus(true).ok());
  EXPECT_TRUE(control.state().focus);
  ASSERT_TRUE(control.setFocus(false).ok());
  EXPECT_FALSE(control.state().focus);
}

}  // namespace
}  // namespace kiro::app_test
