#include <algorithm>

#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

class RemoteScreenCommands : public RemoteScreenFixture {};

std::size_t scanStarts(const CapturingLog& log) {
  return static_cast<std::size_t>(std::count(log.lines.begin(), log.lines.end(), "正在查找蓝牙设备"));
}

TEST_F(RemoteScreenCommands, AfterLoadNothingIsWrittenAndScanningStartsOnceASecondLater) {
  auto& receiver = addRemembered();
  screen->loadViewIfNeeded();
  EXPECT_EQ(manager().connectionFlag(), 1);
  loop.advance(999ms);
  EXPECT_EQ(scanStarts(log), 0u);
  EXPECT_FALSE(manager().nameArray().has_value());
  loop.advance(1ms);
  EXPECT_EQ(scanStarts(log), 1u);

  loop.advance(10s);
  EXPECT_EQ(scanStarts(log), 1u);
  EXPECT_EQ(receiver.state(), PeripheralState::connected);
  EXPECT_TRUE(receiver.writes().empty());
}

TEST_F(RemoteScreenCommands, FocusLatchesOnTheFirstTouchAndOffOnTheSecond) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchF(ControlEvent::touchDown);
  touchF(ControlEvent::touchUpInside);
  loop.advance(100ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(4, 0x10));
  const auto& writes = receiver.writes();
  for (std::size_t i = 1; i < writes.size(); ++i) EXPECT_EQ(writes[i].time - writes[i - 1].time, 25ms);

  touchF(ControlEvent::touchDown);
  loop.advance(1s);
  EXPECT_EQ(takeBytes(receiver), Bytes{});
}

TEST_F(RemoteScreenCommands, ShutterIsSentWhileHeldThenTheReleaseNoticeForOneSecond) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchR(ControlEvent::touchDown);
  loop.advance(100ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(4, 0x30));

  touchR(ControlEvent::touchUpInside);
  const Millis letGo = loop.now();
  loop.advance(2s);
  EXPECT_EQ(receiver.writes().size(), 40u);
  for (const auto& write : receiver.writes()) {
    EXPECT_EQ(write.bytes, Bytes{0x40});
    EXPECT_LT(write.time, letGo + 1s);
  }
}

TEST_F(RemoteScreenCommands, ASecondLetGoWithinTheNoticeRestartsIt) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchR(ControlEvent::touchDown);
  touchR(ControlEvent::touchUpInside);
  loop.advance(600ms);
  touchR(ControlEvent::touchDown);
  touchR(ControlEvent::touchUpInside);
  const Millis secondLetGo = loop.now();
  receiver.clearWrites();
  loop.advance(2s);
  ASSERT_FALSE(receiver.writes().empty());
  EXPECT_EQ(receiver.writes().back().bytes, Bytes{0x40});
  EXPECT_EQ(receiver.writes().back().time, secondLetGo + 990ms);
}

TEST_F(RemoteScreenCommands, FocusTouchedWhileTheShutterIsHeldDropsOnlyFocus) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchF(ControlEvent::touchDown);  // latched before R: R's let-go still ends focus
  touchR(ControlEvent::touchDown);
  touchF(ControlEvent::touchDown);
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x20));
  EXPECT_FALSE(screen->writeButton()->isSelected());

  touchF(ControlEvent::touchDown);
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x30));

  // A touch that ends outside R leaves the shutter held.
  touchR(ControlEvent::touchUpOutside);
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x30));

  touchR(ControlEvent::touchDown);
  touchR(ControlEvent::touchUpInside);
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x40));
  EXPECT_FALSE(screen->writeButton()->isSelected());

  touchF(ControlEvent::touchDown);  // ends the notice at once
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x10));
}

TEST_F(RemoteScreenCommands, FShowsPressedWhileLatchedOrWhileRIsHeld) {
  screen->loadViewIfNeeded();
  const auto& f = *screen->writeButton();
  const auto expectF = [&f](bool pressed) {
    EXPECT_EQ(f.isSelected(), pressed);
    EXPECT_EQ(f.image(ControlState::normal), pressed ? "对焦点击.png" : "对焦.png");
    EXPECT_EQ(f.image(ControlState::highlighted), pressed ? "对焦.png" : "对焦点击.png");
  };
  touchF(ControlEvent::touchDown);
  expectF(true);
  touchF(ControlEvent::touchDown);
  expectF(false);
  touchR(ControlEvent::touchDown);
  expectF(true);
  EXPECT_EQ(screen->writeButton2()->image(ControlState::highlighted), "拍照点击.png");
  touchR(ControlEvent::touchUpInside);
  expectF(false);
  EXPECT_FALSE(screen->writeButton2()->isSelected());
}

TEST_F(RemoteScreenCommands, LeavingTheScreenClearsTheFrameAndOddPositionsChangeNothing) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchR(ControlEvent::touchDown);
  screen->clearTime();
  loop.advance(1s);
  EXPECT_EQ(takeBytes(receiver), Bytes{});

  screen->writeMethods({"3"}, 0.0);
  screen->writeMethods({"0", "1", "2", "3"}, 0.5);  // neither set nor clear
  screen->writeMethods({"4", "-1", "99999999999999999999"}, 0.0);
  screen->writeMethods({"4", "-1"}, 1.0);
  EXPECT_EQ(screen->byteArray(), (std::vector<std::string>{"0", "0", "0", "1"}));
  loop.advance(25ms);
  EXPECT_EQ(takeBytes(receiver), Bytes{0x10});
}

}  // namespace
}  // namespace kiro::remote_test
