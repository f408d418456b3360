#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/link_manager.h"
#include "base/channel.h"
#include "platform/run_loop.h"
#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "plan/timed_shooting.h"
#include "screens/remote/audible_countdown.h"
#include "screens/remote/frame_pump.h"
#include "screens/remote/indicator_lamps.h"
#include "screens/remote/shot_recorder.h"
#include "screens/remote/reconnection.h"
#include "screens/remote/remote_layout.h"
#include "screens/remote/remote_navigation.h"

namespace kiro {

struct RemoteLayout;

// The remote control screen: F (a focus latch) and R (shutter, held then let go) set
// positions of the command frame that its pump writes to the receiver; the receiver's
// feedback lights the lamps, and the remembered receiver's state shows in a label and is
// reconnected while it reads disconnected. It composes those three parts and timed shooting.
// Create it with std::make_shared: its timers and targets hold it by shared_ptr.
class cameraViewController final : public Screen {
 public:
  cameraViewController() : Screen("remote") {}

  // navigation: told when a navigation-bar button is let go; nothing happens while unset.
  void setNavigation(std::weak_ptr<RemoteNavigation> navigation) { navigation_ = std::move(navigation); }

  // The command frame the pump writes.
  const CommandFrame& byteArray() const { return pump_.byteArray(); }
  std::int32_t jumpFlag() const { return jumpFlag_; }

  // The lamps: green, blue and red.
  IndicatorLamps& lamps() { return lamps_; }
  const std::shared_ptr<ImageView>& imageLamp01() const { return lamps_.imageLamp01(); }
  const std::shared_ptr<ImageView>& imageLamp02() const { return lamps_.imageLamp02(); }
  const std::shared_ptr<ImageView>& imageLamp03() const { return lamps_.imageLamp03(); }
  // F and R.
  const std::shared_ptr<Button>& writeButton() const { return writeButton_; }
  const std::shared_ptr<Button>& writeButton2() const { return writeButton2_; }
  const std::shared_ptr<Label>& testLabel() const { return reconnection_.testLabel(); }
  const std::shared_ptr<Label>& commandsLine() const { return reconnection_.commandsLine(); }
  const std::shared_ptr<Label>& receiverLine() const { return reconnection_.receiverLine(); }
  // Whether R holds the shutter now.
  bool shutterHeld() const { return byteArray()[CommandFrame::shutter]; }
  // Who holds the shutter: a hand on R, a timed sequence's shot or another program. Only
  // the owner lets its hold go; the ending and sleep let go any, leaving the screen any
  // but a series'.
  enum class ShutterOwner { none, hand, series, remote };
  ShutterOwner shutterOwner() const { return shutterHeld() ? owner_ : ShutterOwner::none; }
  // Presses R as its touch-down does, for owner; the press's number, which its let-go names.
  std::uint64_t pressShutter(ShutterOwner owner);
  // Lets R go as its touch-up does, if press still holds it. Whether it did.
  bool releaseShutter(std::uint64_t press);
  // Whether a timed sequence is planned or running.
  bool timedShootingActive() const { return timedShooting_.active(); }
  // Whether the remembered receiver's link is up.
  bool receiverConnected() const { return reconnection_.connected(); }
  // Opens the timed shooting screen, or stops the sequence under way; and its countdown.
  const std::shared_ptr<Button>& timerButton() const { return timerButton_; }
  const std::shared_ptr<Label>& timerLine() const { return timerLine_; }
  // When the sequence ends and the time left, or that shots are being missed.
  const std::shared_ptr<Label>& timerEndLine() const { return timerEndLine_; }
  const std::shared_ptr<Button>& continueButton() const { return continueButton_; }

  // F touch-down: toggles the focus latch. sender: the F button.
  void writeData2(Button& sender);
  // R touch-down: starts the shutter. sender: the R button.
  void writeData(Button& sender);
  // R touch-up-inside: ends the shutter and starts the release notice.
  void returnData();
  // Clears what a hand set, as the screen is left; a held shutter is let go first, so the
  // receiver's last frame is the release notice. A series' shots go on as planned.
  void clearTime();
  // Starts scanning with an empty registry.
  void getData();

  // Timed shooting through R's own handlers: starts plan, or says why it cannot. Only a
  // stop, the ending or sleep ends it: leaving the screen and a hand on F or R do not.
  Result<> startTimedShooting(const ShootingPlan& plan);
  void stopTimedShooting() { timedShooting_.stop(); }
  bool continueTimedShooting() { return timedShooting_.continueSeries(); }
  // Stops a timed sequence (saying why) and lets a held shutter go as a hand on R would,
  // release notice and all: the app is ending, or the system going to sleep. Whether it
  // was held.
  bool letGo(const Text& why);
  const ShootingStatus& timedShooting() const { return timedShooting_.status(); }
  const ShootingPlan& lastTimedPlan() const { return timedShooting_.plan(); }
  // Where each series keeps its shot log; and the log of the series last started.
  void setShotLogFolder(std::filesystem::path folder) { shotRecorder_.setFolder(std::move(folder)); }
  const ShotRecorder& shotLog() const { return shotRecorder_; }
  // Each change of the timed sequence's status.
  [[nodiscard]] Subscription onTimedShooting(std::function<void(const ShootingStatus&)> handler) {
    return timedShootingChanged_.listen(std::move(handler));
  }

  // update: shows the remembered receiver's state and asks to reconnect it.
  void change(const SharedPeripheralList& list) {
    reconnection_.change(list);
    timedShooting_.linkChanged(receiverConnected());
  }
  // light: applies one lamp array.
  void change2(LampArray lamps);

 protected:
  void viewDidLoad() override;
  void viewWillTransitionToSize(const Size& size) override;

 private:
  void addUI();
  void addButtons();
  // Every view's frame from layout: as the screen is built, and as the window's size changes.
  void placeViews(const RemoteLayout& layout);
  void addBarButtons(const Rect& frame);
  void logScreenSize();
  void addTimerButton();
  void timedShootingChanged();
  // Redraws the countdown after wait, and so on while the series is active.
  void countdownAfter(Millis wait);
  // While a series runs a hand on F or R does nothing, and the timer line says why for a
  // moment. Whether it refused.
  bool seriesRefusesHand();
  // The timer line's text and the timer button's title for the sequence's status now.
  void showTimedShooting();

  FramePump pump_;
  std::shared_ptr<ImageView> background_ = std::make_shared<ImageView>("bj.png");
  IndicatorLamps lamps_;
  Reconnection reconnection_;
  std::int32_t jumpFlag_ = 0;
  std::shared_ptr<Button> writeButton_ = std::make_shared<Button>();
  std::shared_ptr<Button> writeButton2_ = std::make_shared<Button>();
  std::shared_ptr<Button> timerButton_ = std::make_shared<Button>();
  std::shared_ptr<Label> timerTitle_ = std::make_shared<Label>();
  std::shared_ptr<Label> timerLine_ = std::make_shared<Label>();
  std::shared_ptr<Label> timerEndLine_ = std::make_shared<Label>();
  // In the end line's place while a series waits for its dark frames.
  std::shared_ptr<Button> continueButton_ = std::make_shared<Button>();
  std::shared_ptr<Label> continueTitle_ = std::make_shared<Label>();
  std::shared_ptr<Timer> countdown_;  // redraws the countdown while a sequence runs
  std::optional<Millis> handRefusedUntil_;  // the timer line says a hand was refused until then
  AudibleCountdown audibleCountdown_;
  Channel<const ShootingStatus&> timedShootingChanged_;
  ShutterOwner owner_ = ShutterOwner::none;
  std::uint64_t press_ = 0;  // the how-manieth press of R
  ShotRecorder shotRecorder_;
  TimedShooting timedShooting_{{[this] { pressShutter(ShutterOwner::series); },
                                [this] {
                                  if (shutterOwner() == ShutterOwner::series) returnData();
                                },
                                [this] { return receiverConnected(); }},
                               [this] { timedShootingChanged(); },
                               [this](const ShotEnd& end) { shotRecorder_.shotEnded(end); }};

  std::weak_ptr<RemoteNavigation> navigation_;
  Subscription lightListener_;
  Subscription updateListener_;
};

}  // namespace kiro
