#include <utility>

#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

class RemoteScreenFeedback : public RemoteScreenFixture {
 protected:
  std::optional<std::string> green() const { return screen->imageLamp01()->image(); }
  std::optional<std::string> blue() const { return screen->imageLamp02()->image(); }
  std::optional<std::string> red() const { return screen->imageLamp03()->image(); }
};

TEST_F(RemoteScreenFeedback, ReleaseCompletedFlashesBlueAndAcknowledgesFor85msAfterTheLast) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  receiver.simulateNotification({0x08});
  EXPECT_EQ(blue(), "蓝.png");
  loop.advance(84ms);
  EXPECT_EQ(blue(), "蓝.png");
  loop.advance(1ms);
  EXPECT_EQ(blue(), "灰色.png");
  EXPECT_EQ(green(), "灰色.png");
  EXPECT_EQ(red(), "灰色.png");
  EXPECT_EQ(takeBytes(receiver), Bytes(3, 0x80));  // the idle frame plus the acknowledge

  touchF(ControlEvent::touchDown);
  receiver.simulateNotification({0x08});
  loop.advance(50ms);
  receiver.simulateNotification({0x08});
  loop.advance(85ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(6, 0x90));
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), (Bytes{0x10, 0x10}));
}

TEST_F(RemoteScreenFeedback, FocusAndShutterFeedbackLightGreenAndRedForOneSecond) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  receiver.simulateNotification({0x03});
  loop.advance(999ms);
  EXPECT_EQ(green(), "绿.png");
  EXPECT_EQ(red(), "红.png");
  EXPECT_EQ(blue(), "灰色.png");
  loop.advance(1ms);
  EXPECT_EQ(green(), "灰色.png");
  EXPECT_EQ(red(), "灰色.png");
  EXPECT_EQ(takeBytes(receiver), Bytes{});  // only bit 0x08 changes the frame
}

TEST_F(RemoteScreenFeedback, RepeatedFeedbackKeepsALampLitWithoutABreak) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  std::vector<std::optional<std::string>> greenLooks;
  screen->view()->setObserver([&](View& view, ViewProperty) {
    if (&view == screen->imageLamp01().get()) greenLooks.push_back(screen->imageLamp01()->image());
  });
  for (int repeat = 0; repeat < 4; ++repeat) {
    receiver.simulateNotification({0x01});
    loop.advance(500ms);
  }
  EXPECT_EQ(greenLooks, std::vector<std::optional<std::string>>{"绿.png"});
  loop.advance(499ms);
  EXPECT_EQ(green(), "绿.png");
  loop.advance(1ms);
  EXPECT_EQ(green(), "灰色.png");
}

TEST_F(RemoteScreenFeedback, ReleaseNoticeFeedbackEndsTheNoticeAtOnceAndElseChangesNothing) {
  auto& receiver = addRemembered();
  loadAndConnect(receiver);
  touchR(ControlEvent::touchDown);
  touchR(ControlEvent::touchUpInside);
  loop.advance(100ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(4, 0x40));
  receiver.simulateNotification({0x04});
  EXPECT_EQ(screen->timer04(), nullptr);
  loop.advance(1s);
  EXPECT_EQ(takeBytes(receiver), Bytes{});

  touchF(ControlEvent::touchDown);
  receiver.simulateNotification({0x04});
  loop.advance(50ms);
  EXPECT_EQ(takeBytes(receiver), Bytes(2, 0x10));
}

TEST_F(RemoteScreenFeedback, OnlyTheEntriesALampArrayHoldsAct) {
  screen->loadViewIfNeeded();
  struct Case {
    const char* what;
    UserInfo userInfo;
    bool blue, green, acknowledge;
  };
  const Case cases[] = {
      {"no array", {}, false, false, false},
      {"array of another type", {{"lightArray", std::string("1111")}}, false, false, false},
      {"empty", {{"lightArray", LampArray{}}}, false, false, false},
      {"first entry only", {{"lightArray", LampArray{"1"}}}, true, false, true},
      {"five entries", {{"lightArray", LampArray{"0", "0", "0", "1", "1"}}}, false, true, false},
      {"integer readings", {{"lightArray", LampArray{" 1", "x", "2", "01"}}}, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    post("light", c.userInfo);
    EXPECT_EQ(blue() == "蓝.png", c.blue);
    EXPECT_EQ(green() == "绿.png", c.green);
    EXPECT_EQ(screen->byteArray()[0] == "1", c.acknowledge);
    EXPECT_EQ(red(), "灰色.png");
    loop.advance(2s);
  }
}

}  // namespace
}  // namespace kiro::remote_test
