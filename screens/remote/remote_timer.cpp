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
constexpr Millis kRefusalShown{3000};

std::string shots(int count) { return std::to_string(count) + (count == 1 ? " shot" : " shots"); }

// What a photographer leaving the tripod needs: when it ends and how long that is, or
// that the shots due now are missed.
std::string endText(const ShootingStatus& status, bool connected) {
  if (!connected) return "Not connected: shots are missed until it is";
  if (!status.endsAt) return "Until stopped";
  const Millis now = platform().runLoop.now();
  const auto left = std::max<long long>(0, (*status.endsAt - now).count()) / 1000 * 1000;
  return "Ends about " + localDayAndTime(wallClock(), *status.endsAt, now) + ", " + durationText(Millis{left}) + " left";
}

}  // namespace

void cameraViewController::addTimerButton() {
  timerButton_->setName("timerButton");
  timerButton_->setBackgroundColor(kDarkGrey);
  timerLine_->setName("timerLine");
  for (const auto& label : {timerTitle_, timerLine_, timerEndLine_}) {
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
  showTimedShooting();
}

void cameraViewController::timedShootingChanged() {
  if (timedShooting_.active() && !countdown_)
    countdown_ = platform().runLoop.scheduleTimer(kCountdownStep, true, weakly<cameraViewController>([](cameraViewController& screen) {
                                                    screen.showTimedShooting();
                                                  }));
  else if (!timedShooting_.active()) stopTimer(countdown_);
  audibleCountdown_.follow(timedShooting_.status());
  showTimedShooting();
  timedShootingChanged_.send(timedShooting_.status());
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
  timerTitle_->setText(active ? "Stop" : "Timer");
  timerButton_->setAccessibilityLabel(active ? "Stop timed shooting" : "Timed shooting");
  // T, which opens the timer screen, is a stray key while a series runs: only S stops it.
  timerButton_->setKeyEquivalents({active ? "S" : "T"});
  std::string text;
  if (active && handRefusedUntil_ && platform().runLoop.now() < *handRefusedUntil_) {
    text = "A series is running: Stop first";
  } else if (active) {
    text = "Shot " + std::to_string(status.shot) + (status.of ? " of " + std::to_string(*status.of) : "");
    if (status.nextAt) {
      const auto left = std::max<long long>(0, (*status.nextAt - platform().runLoop.now()).count());
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%.1f s", static_cast<double>(left) / 1000);
      // A start hours away reads in hours and minutes, to the second.
      text += ", next in " + (left < 60'000 ? std::string(seconds) : durationText(Millis{left / 1000 * 1000}));
    }
  } else if (status.state == State::done) {
    text = "Done: " + shots(status.shot);
  } else if (status.state == State::stopped) {
    text = "Stopped after " + shots(status.shot) + (status.why.empty() ? "" : ": " + status.why);
  }
  if (status.missed > 0 && status.state != State::idle) text += ", " + std::to_string(status.missed) + " missed";
  if (status.cut > 0 && status.state != State::idle) text += ", " + std::to_string(status.cut) + " short";
  timerLine_->setText(text);
  timerEndLine_->setText(active ? endText(status, receiverConnected()) : "");
}

}  // namespace kiro
