#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/link_manager.h"
#include "platform/channel.h"
#include "platform/run_loop.h"
#include "platform/ui/button.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "screens/remote/remote_navigation.h"
#include "screens/remote/audible_countdown.h"
#include "screens/remote/timed_shooting.h"

namespace kiro {

// A lamp is lit while it shows anything but the grey picture.
bool lampIsLit(const ImageView& lamp);

// The remote control screen: F (a focus latch) and R (shutter, held then let go) set
// positions of a four-position command frame that a 25 ms pump writes to the receiver;
// the receiver's feedback lights three lamps, and the remembered receiver's state shows
// in a label and is reconnected while it reads disconnected.
// Create it with std::make_shared: its timers and targets hold it by shared_ptr.
class cameraViewController final : public Screen {
 public:
  cameraViewController() : Screen("remote") {}

  // navigation: told when a navigation-bar button is let go; nothing happens while unset.
  void setNavigation(std::weak_ptr<RemoteNavigation> navigation) { navigation_ = std::move(navigation); }

  // Command frame: acknowledge, release notice, shutter, focus; each "0" or "1".
  const std::vector<std::string>& byteArray() const { return byteArray_; }
  std::int32_t jumpFlag() const { return jumpFlag_; }

  // The frame pump, the release-notice, acknowledge and lamp timers; null until started
  // and after being stopped.
  const std::shared_ptr<Timer>& Behemoth() const { return Behemoth_; }
  const std::shared_ptr<Timer>& timer04() const { return timer04_; }
  const std::shared_ptr<Timer>& timer05() const { return timer05_; }
  const std::shared_ptr<Timer>& timer03green() const { return timer03green_; }
  const std::shared_ptr<Timer>& timer03blue() const { return timer03blue_; }
  const std::shared_ptr<Timer>& timer03red() const { return timer03red_; }

  // Green, blue and red lamps, left to right.
  const std::shared_ptr<ImageView>& imageLamp01() const { return imageLamp01_; }
  const std::shared_ptr<ImageView>& imageLamp02() const { return imageLamp02_; }
  const std::shared_ptr<ImageView>& imageLamp03() const { return imageLamp03_; }
  // F and R.
  const std::shared_ptr<Button>& writeButton() const { return writeButton_; }
  const std::shared_ptr<Button>& writeButton2() const { return writeButton2_; }
  // The remembered receiver's state.
  const std::shared_ptr<Label>& testLabel() const { return testLabel_; }
  // Whether R holds the shutter now.
  bool shutterHeld() const { return byteArray_[2] == "1"; }
  // Whether a timed sequence is planned or running.
  bool timedShootingActive() const { return timedShooting_.active(); }
  // Whether the label reads "connected": the remembered receiver's link is up.
  bool receiverConnected() const { return testLabel_->text() == "connected"; }
  // Empty, or says that the connected receiver does not take commands.
  const std::shared_ptr<Label>& commandsLine() const { return commandsLine_; }
  // Opens the timed shooting screen, or stops the sequence under way; and its countdown.
  const std::shared_ptr<Button>& timerButton() const { return timerButton_; }
  const std::shared_ptr<Label>& timerLine() const { return timerLine_; }

  // F touch-down: toggles the focus latch. sender: the F button.
  void writeData2(Button& sender);
  // R touch-down: starts the shutter. sender: the R button.
  void writeData(Button& sender);
  // R touch-up-inside: ends the shutter and starts the release notice.
  void returnData();
  // Ends the release notice.
  void stopPictures();
  // Ends the acknowledge.
  void app3();
  // positions: indexes "0"-"3"; time: 0.0 sets them, 1.0 clears them, anything else
  // leaves the frame as it is. Indexes outside the frame are ignored.
  void writeMethods(const std::vector<std::string>& positions, double time);
  // Clears the whole frame, as the screen is left.
  void clearTime();
  // The pump's tick: writes the frame unless it is all clear.
  void roWrite();
  // Starts scanning with an empty registry.
  void getData();

  // Timed shooting through R's own handlers: starts plan, or says why it cannot. A hand on
  // F or R, or leaving the screen, stops it first.
  std::optional<std::string> startTimedShooting(const ShootingPlan& plan);
  void stopTimedShooting() { timedShooting_.stop(); }
  // Stops a timed sequence (saying why) and lets a held shutter go as a hand on R would,
  // release notice and all: the app is ending, or the system going to sleep. Whether it
  // was held.
  bool letGo(const std::string& why);
  const ShootingStatus& timedShooting() const { return timedShooting_.status(); }
  const ShootingPlan& lastTimedPlan() const { return timedShooting_.plan(); }
  // Each change of the timed sequence's status.
  [[nodiscard]] Subscription onTimedShooting(std::function<void(const ShootingStatus&)> handler) {
    return timedShootingChanged_.listen(std::move(handler));
  }

  // update: shows the remembered receiver's state and asks to reconnect it.
  void change(const SharedPeripheralList& list);
  // light: applies one lamp array.
  void change2(LampArray lamps);
  // Light one lamp and restart its timer.
  void green();
  void blue();
  void red();

 protected:
  void viewDidLoad() override;

 private:
  void addUI();
  void addBarButtons(const Rect& frame);
  void logScreenSize();
  // Each puts the timer's lamp back to grey.
  void clearColor(ImageView& imageView);
  void clearColor2(ImageView& imageView);
  void light(const std::shared_ptr<ImageView>& lamp, const char* image, std::shared_ptr<Timer>& timer,
             Millis interval, void (cameraViewController::*off)(ImageView&));
  void requestConnection(std::size_t index);
  void addTimerButton(const Rect& button, const Rect& line);
  void timedShootingChanged();
  // The timer line's text and the timer button's title for the sequence's status now.
  void showTimedShooting();

  // Invalidates what field holds, then stores a new one-shot timer there.
  static void restart(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire);
  // Invalidates and empties field.
  static void stop(std::shared_ptr<Timer>& field);

  std::vector<std::string> byteArray_{"0", "0", "0", "0"};
  std::int32_t jumpFlag_ = 0;
  std::shared_ptr<Timer> Behemoth_;
  std::shared_ptr<Timer> timer04_;
  std::shared_ptr<Timer> timer05_;
  std::shared_ptr<Timer> timer03green_;
  std::shared_ptr<Timer> timer03blue_;
  std::shared_ptr<Timer> timer03red_;
  std::shared_ptr<ImageView> imageLamp01_ = std::make_shared<ImageView>();
  std::shared_ptr<ImageView> imageLamp02_ = std::make_shared<ImageView>();
  std::shared_ptr<ImageView> imageLamp03_ = std::make_shared<ImageView>();
  std::shared_ptr<Button> writeButton_ = std::make_shared<Button>();
  std::shared_ptr<Button> writeButton2_ = std::make_shared<Button>();
  std::shared_ptr<Label> testLabel_ = std::make_shared<Label>();
  std::shared_ptr<Label> commandsLine_ = std::make_shared<Label>();
  std::shared_ptr<Button> timerButton_ = std::make_shared<Button>();
  std::shared_ptr<Label> timerTitle_ = std::make_shared<Label>();
  std::shared_ptr<Label> timerLine_ = std::make_shared<Label>();
  std::shared_ptr<Timer> countdown_;  // redraws the countdown while a sequence runs
  AudibleCountdown audibleCountdown_;
  TimedShooting timedShooting_{{[this] { writeData(*writeButton2_); }, [this] { returnData(); },
                                [this] { return receiverConnected(); }},
                               [this] { timedShootingChanged(); }};

  Channel<const ShootingStatus&> timedShootingChanged_;

  std::weak_ptr<RemoteNavigation> navigation_;
  Subscription lightListener_;
  Subscription updateListener_;
};

}  // namespace kiro
