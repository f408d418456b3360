#include "platform/qt/window/phone_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "screens/devices/view_controller.h"
#include "screens/timer/timer_view_controller.h"
#include "tests/platform/qt/fake_bluez.h"
#include "tests/platform/qt/window/phone_window_fixture.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

class PhoneWindowTest : public PhoneWindowFixture {
 protected:
  // How many pixels of rect differ between two snapshots.
  static int changedPixels(const QImage& before, const QImage& after, const Rect& rect) {
    int changed = 0;
    for (int y = static_cast<int>(rect.minY()); y < static_cast<int>(rect.maxY()); ++y)
      for (int x = static_cast<int>(rect.minX()); x < static_cast<int>(rect.maxX()); ++x)
        changed += before.pixel(x, y) != after.pixel(x, y);
    return changed;
  }

  void press(QPointF point) {
    QMouseEvent event(QEvent::MouseButtonPress, point, point, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &event);
  }
  void release(QPointF point) {
    QMouseEvent event(QEvent::MouseButtonRelease, point, point, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &event);
  }
  void click(QPointF point) {
    press(point);
    release(point);
  }

  void key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(window.get(), &event);
  }
  void typeKey(int code, const char* text) {
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, QString::fromUtf8(text));
    QApplication::sendEvent(window.get(), &event);
  }
  void tapKey(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    key(QEvent::KeyPress, code, modifiers);
    key(QEvent::KeyRelease, code, modifiers);
  }

  static QPointF centre(const Rect& frame) {
    return {frame.minX() + frame.size.width / 2, frame.minY() + frame.size.height / 2};
  }
};

// A press is a touch-down on the button under it, which is drawn pressed while held.
TEST_F(PhoneWindowTest, APressOnTheFButtonIsATouchDownOnIt) {
  const auto& remote = *delegate.remote();
  click(centre(remote.writeButton()->frame()));
  EXPECT_TRUE(remote.byteArray()[3]);
  EXPECT_TRUE(remote.writeButton()->isSelected());
  const QImage released = window->snapshot(1);
  press(centre(remote.writeButton2()->frame()));
  EXPECT_GT(changedPixels(released, window->snapshot(1), remote.writeButton2()->frame()), 100);
}

// A touch on a timer value takes the keys typed until Enter sets it: S types, not starts.
TEST_F(PhoneWindowTest, ATouchedTimerValueTakesTheKeysTypedUntilEnter) {
  auto& navigation = *delegate.window()->rootViewController();
  tapKey(Qt::Key_T);
  const auto timer = std::dynamic_pointer_cast<TimerViewController>(navigation.topViewController());
  ASSERT_TRUE(timer);
  click(centre(makeRect(180, 175, 80, 36)));  // the bulb's value
  typeKey(Qt::Key_2, "2");
  typeKey(Qt::Key_S, "s");
  tapKey(Qt::Key_Return);
  EXPECT_EQ(timer->values().text(TimerViewController::bulb), "2 s");
  EXPECT_EQ(navigation.topViewController(), timer);
}

// Resized, the screen lays out at the room the window has at the scale that fits the
// phone (here half a pixel a point, 1278 by 568 points, centred), and a press still finds F.
// R held as the layout moves it from under the pointer is let go when the touch ends.
TEST_F(PhoneWindowTest, AResizedWindowLaysTheScreenOutAtItsSizeAndMapsPressesBack) {
  window->show();
  auto& remote = *delegate.remote();
  const QPointF r = centre(remote.writeButton2()->frame());
  press(r);
  ASSERT_TRUE(remote.shutterHeld());
  window->resize(640, 284);
  release(r);
  EXPECT_FALSE(remote.shutterHeld());
  EXPECT_EQ(remote.view()->frame(), makeRect(0, 0, 1278, 568));
  EXPECT_EQ(window->snapshot(1).size(), QSize(1278, 568));
  const QPointF f = centre(remote.writeButton()->frame());
  click({0.5 + f.x() / 2, f.y() / 2});
  EXPECT_TRUE(remote.writeButton()->isSelected());
}

// Keys act through the buttons that name them: F latches focus, Space held is the shutter
// (its auto-repeat adds nothing), Escape or Alt+Left goes back, Tab and Enter tap the bar;
// a phone's volume and camera keys work on the remote screen only.
TEST_F(PhoneWindowTest, KeysTouchTheButtonsOfTheScreenInFrontAndTabReachesTheBar) {
  const auto& remote = *delegate.remote();
  const auto frame = [&] { return remote.byteArray().text(); };
  tapKey(Qt::Key_F);
  EXPECT_EQ(frame(), "00010000");
  key(QEvent::KeyPress, Qt::Key_Space);
  key(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, true);
  key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, true);
  EXPECT_EQ(frame(), "00110000");
  key(QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(frame(), "01000000");
  // A phone's own keys: the volume keys and the camera key are R, its focus key F.
  for (const int code : {Qt::Key_VolumeUp, Qt::Key_VolumeDown, Qt::Key_Camera}) {
    key(QEvent::KeyPress, code);
    EXPECT_EQ(frame()[2], '1') << code;
    key(QEvent::KeyRelease, code);
  }
  tapKey(Qt::Key_CameraFocus);
  EXPECT_EQ(frame()[3], '1');

  auto& navigation = *delegate.window()->rootViewController();
  const auto front = [&] { return navigation.topViewController()->name(); };
  tapKey(Qt::Key_Escape);  // the remote screen has no way back
  EXPECT_EQ(front(), "remote");
  tapKey(Qt::Key_Tab);  // the help button, first on the bar
  tapKey(Qt::Key_Return);
  EXPECT_EQ(front(), "about");
  QKeyEvent volume(QEvent::KeyPress, Qt::Key_VolumeUp, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &volume);
  EXPECT_FALSE(volume.isAccepted()) << "elsewhere the volume keys are the system's";
  tapKey(Qt::Key_Escape);
  EXPECT_EQ(front(), "remote");
  tapKey(Qt::Key_Tab);
  tapKey(Qt::Key_Tab);  // the search button
  tapKey(Qt::Key_Return);
  EXPECT_EQ(front(), "devices");
  tapKey(Qt::Key_Left);  // moves the focus ring only
  EXPECT_EQ(front(), "devices");
  tapKey(Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(front(), "remote");
}

// The ring Tab moves is drawn in a colour that stands out from the black bar it lands on.
TEST_F(PhoneWindowTest, TheFocusRingCanBeSeen) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(spinUntil([&] { return window->hasFocus(); }));
  const QImage before = window->grab().toImage();
  tapKey(Qt::Key_Tab);
  const QImage after = window->grab().toImage();
  int turnedBlue = 0;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x) {
      const QColor now = after.pixelColor(x, y);
      turnedBlue += now != before.pixelColor(x, y) && now.blue() > 200 && now.red() < 80;
    }
  EXPECT_GT(turnedBlue, 40);
}

// Keys pressed while a screen slides act on the screen that ends up in front: R held
// through the slide back holds the shutter, and T opens the timer screen.
TEST_F(PhoneWindowTest, KeysDuringASlideActOnTheScreenThatEndsUpInFront) {
  const auto& remote = *delegate.remote();
  auto& navigation = *delegate.window()->rootViewController();
  window->show();
  const auto openAboutAndGoBack = [&] {
    tapKey(Qt::Key_Tab);
    tapKey(Qt::Key_Return);
    spinFor(400ms);
    ASSERT_EQ(navigation.topViewController()->name(), "about");
    tapKey(Qt::Key_Escape);
  };
  openAboutAndGoBack();
  spinFor(100ms);
  key(QEvent::KeyPress, Qt::Key_R);
  spinFor(500ms);
  EXPECT_TRUE(remote.byteArray()[2]);
  key(QEvent::KeyRelease, Qt::Key_R);
  EXPECT_TRUE(remote.byteArray()[1]);
  openAboutAndGoBack();
  spinFor(150ms);
  tapKey(Qt::Key_T);
  EXPECT_EQ(navigation.topViewController()->name(), "timer");
}

TEST_F(PhoneWindowTest, TheVisibleAlertIsDrawnAndOnlyItsButtonClosesIt) {
  const QImage before = window->snapshot(1);
  alerts.show({Text("Can not connect"), Text("A device has connected"), Text("YES")});
  const QImage after = window->snapshot(1);
  EXPECT_GT(changedPixels(before, after, makeRect(40, 200, 240, 120)), 1000);
  click(centre(delegate.remote()->writeButton()->frame()));
  EXPECT_NE(alerts.visible(), nullptr);
  EXPECT_FALSE(delegate.remote()->byteArray()[3]);  // the press did not reach the screen
  click({160, 568 / 2.0 + 20 + 22});
  EXPECT_EQ(alerts.visible(), nullptr);
}

TEST_F(PhoneWindowTest, TheDeviceListDrawsARowPerReceiverAndATapPicksIt) {
  radio.addReceiver(std::string("Kiro-7"));
  radio.addReceiver(std::string("Kiro-8"));
  loop.advance(1100ms);
  const auto& item = delegate.remote()->navigationItem();
  auto search = std::dynamic_pointer_cast<Button>(item.rightBarButtonItem()->customView);
  search->sendActions(ControlEvent::touchUpInside);
  loop.advance(100ms);
  auto& navigation = *delegate.window()->rootViewController();
  ASSERT_EQ(navigation.topViewController()->name(), "devices");
  // The first row sits at the top of the table; tapping it stores the pick, and a touch
  // that ends on another row picks nothing.
  auto table = std::static_pointer_cast<ViewController>(navigation.topViewController());
  const Rect frame = table->tabel()->frame();
  const QPointF row(frame.minX() + frame.size.width / 2, frame.minY() + table->tabel()->rowHeight() / 2);
  QMouseEvent press(QEvent::MouseButtonPress, row, row, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &press);
  const QPointF below = row + QPointF(0, table->tabel()->rowHeight());
  QMouseEvent away(QEvent::MouseButtonRelease, below, below, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &away);
  EXPECT_FALSE(defaults.dictionary("iphone").has_value()) << "let go on the next row: no pick";
  // The keyboard reaches the rows after the bar's two buttons.
  for (int i = 0; i < 4; ++i) tapKey(Qt::Key_Tab);
  tapKey(Qt::Key_Return);
  EXPECT_EQ(defaults.dictionary("iphone").value_or(StringDictionary{})["name"], "Kiro-8");
  click(row);
  EXPECT_EQ(defaults.dictionary("iphone").value_or(StringDictionary{})["name"], "Kiro-7");
}

}  // namespace
}  // namespace kiro
