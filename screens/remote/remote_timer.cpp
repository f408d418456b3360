#include <cstdio>

#include "plan/durations.h"
#include "platform/platform.h"
#include "platform/wall_clock.h"
#include "screens/palette.h"
#include "screens/remote/camera_view_controller.h"
#include "screens/remote/timer_field.h"

namespace kiro {

namespace {

const Font kTimerFont{"ArialMT", 15};
constexpr Millis kCountdownStep{100};
constexpr Millis kCountdownSecond{1000};
constexpr Millis kCountdownTenths{61'000};
constexpr Millis kRefusalShown{3000};

// What a photographer leaving the tripod needs: when it ends and how long that is, or
// that the shots due now are missed.
Text endText(const ShootingStatus& status, bool connected) {
  if (!connected) return Text("Not connected: shots are missed until it is");
  if (!status.endsAt) return Text("Until stopped");
  const Millis now = platform().runLoop.now();
  const auto left = std::max<long long>(0, (*status.endsAt - now).count()) / 1000 * 1000;
  return Text("Ends about %1, %2 left", localDayAndTime(wallClock(), *status.endsAt, now), durationText(Millis{left}));
}

// What the series has done, or why it stopped.
Text doneText(const ShootingStatus& status) {
  using State = ShootingStatus::State;
  const bool one = status.shot == 1;
  if (status.state == State::done) return one ? Text("Done: 1 shot") : Text("Done: %1 shots", status.shot);
  if (status.state != State::stopped) return {};
  if (status.why.empty()) return one ? Text("Stopped after 1 shot") : Text("Stopped after %1 shots", status.shot);
  return one ? Text("Stopped after 1 shot: %1", status.why) : Text("Stopped after %1 shots: %2", status.shot, status.why);
}

}  // namespace

void cameraViewController::addTimerButton() {
  timerButton_->setName("timerButton");
  timerButton_->setBackgroundColor(kDarkGrey);
  timerLine_->setName("timerLine");
  continueButton_->setName("continueButton");
  continueButton_->setBackgroundColor(kDarkGrey);
  continueButton_->setAccessibilityLabel(Text("Take the dark frames"));
  continueButton_->setKeyEquivalents({"C"});
  continueTitle_->setText(Text("Continue"));
  continueButton_->addSubview(continueTitle_);
  continueButton_->addTarget(ControlEvent::touchUpInside, weakly<cameraViewController>([](cameraViewController& screen) {
                               screen.timedShooting_.continueSeries();
                             }));
  for (const auto& label : {timerTitle_, timerLine_, timerEndLine_, continueTitle_}) {
    label->setFont(kTimerFont);
    label->setTextColor(kYellow);
    label->setTextAlignment(TextAlignment::center);
  }
  timerButton_->addSubview(timerTitle_);
  timerButton_->addTarget(ControlEvent::touchUpInside, weakly<cameraViewController>([](cameraViewController& screen) {
                            if (screen.timedShooting_.active()) screen.timedShooting_.stop();
                            else if (auto navigation = screen.navigation_.lock()) navigation->openTimer(screen);
                          }));
  view()->addSubview(timerButton_);
  view()->addSubview(timerLine_);
  view()->addSubview(timerEndLine_);
  view()->addSubview(continueButton_);
  showTimedShooting();
}

void cameraViewController::timedShootingChanged() {
  stopTimer(countdown_);
  if (timedShooting_.active()) countdownAfter(kCountdownStep);
  audibleCountdown_.follow(timedShooting_.status());
  showTimedShooting();
  timedShootingChanged_.send(timedShooting_.status());
}

void cameraViewController::countdownAfter(Millis wait) {
  countdown_ = platform().runLoop.scheduleTimer(wait, false, weakly<cameraViewController>([](cameraViewController& screen) {
                                                  screen.showTimedShooting();
                                                  if (!screen.timedShooting_.active()) return;
                                                  // Tenths are shown only in the last minute: before it, and
                                                  // through the hours between nights, a redraw a second does.
                                                  const auto& next = screen.timedShooting_.status().nextAt;
                                                  const bool close = next && *next - platform().runLoop.now() < kCountdownTenths;
                                                  screen.countdownAfter(close ? kCountdownStep : kCountdownSecond);
                                                }));
}

bool cameraViewController::seriesRefusesHand() {
  if (!timedShooting_.active()) return false;
  handRefusedUntil_ = platform().runLoop.now() + kRefusalShown;
  showTimedShooting();
  return true;
}

void cameraViewController::showTimedShooting() {
  using State = ShootingStatus::State;
  const ShootingStatus& status = timedShooting_.status();
  const bool active = timedShooting_.active();
  timerTitle_->setText(active ? Text("Stop") : Text("Timer"));
  timerButton_->setAccessibilityLabel(active ? Text("Stop timed shooting") : Text("Timed shooting"));
  // T, which opens the timer screen, is a stray key while a series runs: only S stops it.
  timerButton_->setKeyEquivalents({active ? "S" : "T"});
  const bool waiting = status.state == State::waiting;
  continueButton_->setHidden(!waiting);
  Text text;
  if (waiting) {
    text = Text("Cover the lens: %1 dark frames", status.dark);
  } else if (active && handRefusedUntil_ && platform().runLoop.now() < *handRefusedUntil_) {
    text = Text("A series is running: Stop first");
  } else if (active) {
    text = status.of ? Text("Shot %1 of %2", status.shot, *status.of) : Text("Shot %1", status.shot);
    // A ramp's, a bracket's or a keyframed series' bulb changes from shot to shot.
    if (status.bulb) text = Text("%1, %2", text, durationText(*status.bulb));
    if (status.nextAt) {
      const auto left = std::max<long long>(0, (*status.nextAt - platform().runLoop.now()).count());
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%.1f s", static_cast<double>(left) / 1000);
      // A start hours away reads in hours and minutes, to the second.
      text = Text("%1, next in %2", text, left < 60'000 ? std::string(seconds) : durationText(Millis{left / 1000 * 1000}));
    }
  } else {
    text = doneText(status);
  }
  if (status.missed > 0 && status.state != State::idle) text = Text("%1, %2 missed", text, status.missed);
  if (status.cut > 0 && status.state != State::idle) text = Text("%1, %2 short", text, status.cut);
  timerLine_->setText(text);
  if (active) timerEndLine_->setText(waiting ? Text() : endText(status, receiverConnected()));
  else if (!shotRecorder_.path().empty())
    timerEndLine_->setText(Text("%1 shots, %2 missed; log: %3", shotRecorder_.shots(), shotRecorder_.missed(),
                                shotRecorder_.path().string()));
  else timerEndLine_->setText({});
}

}  // namespace kiro
