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
  defaults.set("timerStartAt", std::string("23:52"));  // left by an interval plan
  ASSERT_TRUE(control.selfTimer().ok());
  EXPECT_EQ(control.state().timer.nextAt, loop.now() + 7s);
  EXPECT_EQ(kind(control.shoot(0ms, ":1.1")), Kind::busy);
}

TEST_F(RemoteControlTest, AShotHoldsTheShutterAsLongAsAskedThenLetsGoWithTheNotice) {
  auto& receiver = connectReceiver();
  ASSERT_TRUE(control.shoot(100ms, ":1.1").ok());
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

// Only a hold's owner lets it go: a stale let-go of an earlier shot, another caller's
// release or a caller that leaves cannot cut a timed bulb or a hand's hold.
TEST_F(RemoteControlTest, ACallerLetsGoOnlyTheHoldItMade) {
  connectReceiver();
  auto& remote = *delegate->remote();
  ASSERT_TRUE(control.shoot(10s, ":1.5").ok());
  ASSERT_TRUE(control.releaseShutter(":1.5").ok());
  loop.advance(2s);
  ASSERT_TRUE(control.startTimer({ShootingPlan::Mode::bulb, std::nullopt, 30s, {}, {}}).ok());
  loop.advance(9s);
  EXPECT_TRUE(control.state().shutter) << "the first shot's 10 s let-go cut the timed bulb";
  EXPECT_EQ(kind(control.releaseShutter(":1.5")), Kind::busy);
  EXPECT_TRUE(control.state().shutter);
  loop.advance(21s);
  EXPECT_FALSE(control.state().shutter);

  loop.advance(2s);
  ASSERT_TRUE(control.pressShutter(":1.6").ok());
  EXPECT_EQ(kind(control.releaseShutter(":1.7")), Kind::busy);
  remote.writeButton2()->sendActions(ControlEvent::touchDown);  // a hand takes R over
  control.callerLeft(":1.6");
  loop.advance(RemoteControl::kHoldLimit);
  EXPECT_EQ(remote.shutterOwner(), cameraViewController::ShutterOwner::hand);
  EXPECT_EQ(kind(control.releaseShutter(":1.6")), Kind::busy);
  remote.writeButton2()->sendActions(ControlEvent::touchUpInside);
  EXPECT_FALSE(control.state().shutter);
}

// While a hold or a sequence is under way nothing from outside replaces or changes it; and
// no duration past the ladders gets in.
TEST_F(RemoteControlTest, BusyAndOutOfRangeRequestsAreRefusedAndChangeNothing) {
  connectReceiver();
  const ShootingPlan bulb{ShootingPlan::Mode::bulb, std::nullopt, 5s, {}, {}};
  ASSERT_TRUE(control.pressShutter(":1.5").ok());
  EXPECT_EQ(kind(control.startTimer(bulb)), Kind::busy);
  EXPECT_EQ(kind(control.shoot(0ms, ":1.5")), Kind::busy);
  EXPECT_EQ(kind(control.setFocus(false)), Kind::busy);
  ASSERT_TRUE(control.releaseShutter(":1.5").ok());
  loop.advance(2s);

  ASSERT_TRUE(control.startTimer({ShootingPlan::Mode::interval, 10s, std::nullopt, 5s, 3}).ok());
  const ShootingStatus running = control.state().timer;
  EXPECT_EQ(kind(control.startTimer(bulb)), Kind::busy);
  EXPECT_EQ(kind(control.selfTimer()), Kind::busy);
  EXPECT_EQ(kind(control.setFocus(true)), Kind::busy);
  EXPECT_EQ(control.state().timer, running);
  control.stopTimer();

  const auto refused = [&](const ControlResult& result) { return result.ok() ? std::string() : result.error().message; };
  EXPECT_EQ(refused(control.shoot(4h + 1ms, ":1.5")), "the bulb time is at most 4 h");
  EXPECT_EQ(refused(control.startTimer({ShootingPlan::Mode::bulb, std::nullopt, 4h + 1ms, {}, {}})),
            "the bulb time is at most 4 h");
  EXPECT_EQ(refused(control.startTimer({ShootingPlan::Mode::self, 99h + 1ms, std::nullopt, {}, {}})),
            "the delay is at most 99 h");
  EXPECT_EQ(refused(control.startTimer({ShootingPlan::Mode::interval, std::nullopt, std::nullopt, 99h + 1ms, {}})),
            "the interval is at most 99 h");
  EXPECT_FALSE(control.state().shutter);
  EXPECT_EQ(control.state().timer.state, ShootingStatus::State::stopped);
}

}  // namespace
}  // namespace kiro::app_test
