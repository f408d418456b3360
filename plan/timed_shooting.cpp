#include "plan/timed_shooting.h"

#include <algorithm>
#include <utility>

#include "platform/platform.h"

namespace kiro {

namespace {

using State = ShootingStatus::State;

}  // namespace

const char* stateName(State state) {
  switch (state) {
    case State::idle: return "idle";
    case State::planned: return "planned";
    case State::running: return "running";
    case State::waiting: return "waiting";
    case State::done: return "done";
    case State::stopped: return "stopped";
  }
  return "";
}

TimedShooting::TimedShooting(Shutter shutter, std::function<void()> changed, std::function<void(const ShotEnd&)> ended)
    : shutter_(std::move(shutter)), changed_(std::move(changed)), ended_(std::move(ended)) {}

TimedShooting::~TimedShooting() { cancelTimers(); }

bool TimedShooting::active() const {
  return status_.state == State::planned || status_.state == State::running || status_.state == State::waiting;
}

bool TimedShooting::continueSeries() {
  if (status_.state != State::waiting) return false;
  darkFrom_ = platform().runLoop.now();
  status_.state = State::running;
  const Exposure last = exposure(*status_.of - 1);
  status_.endsAt = *darkFrom_ + last.at + last.length + kReleaseNotice;
  scheduleShot();
  changed_();
  return true;
}

void TimedShooting::start(Schedule schedule) {
  end({});
  stopping_ = false;
  darkFrom_.reset();
  schedule_ = std::move(schedule);
  status_ = ShootingStatus{};
  status_.state = State::planned;
  status_.mode = plan().mode;
  status_.dark = plan().dark;
  status_.of = schedule_.count();
  if (status_.of) *status_.of += status_.dark;
  status_.timeOfDay = plan().at.has_value();
  status_.firstAt = platform().runLoop.now() + schedule_.firstIn();
  if (const auto length = schedule_.length()) status_.endsAt = status_.firstAt + *length;
  scheduleShot();
  changed_();
}

void TimedShooting::stop(Text why) {
  if (!active()) return;
  if (holding_ && why.empty() && !std::exchange(stopping_, true)) {
    if (shotTimer_) shotTimer_->invalidate();
    status_.nextAt.reset();
    changed_();
    return;
  }
  end(std::move(why));
}

void TimedShooting::end(Text why) {
  if (!active()) return;
  cancelTimers();
  status_.state = State::stopped;
  status_.why = std::move(why);
  status_.nextAt.reset();
  if (std::exchange(holding_, false)) {
    shutter_.release();
    report(status_.why.empty() ? "stopped" : status_.why.english());
  }
  changed_();
}

// A dark frame is planned from when it was asked for, with the last shot's bulb at the last interval.
std::optional<int> TimedShooting::ownShots() const {
  if (!status_.of) return std::nullopt;
  return *status_.of - status_.dark;
}

Exposure TimedShooting::exposure(int shot) const {
  const auto own = ownShots();
  if (!own || shot < *own) return schedule_.exposure(shot);
  return {(shot - *own) * schedule_.lastInterval(), schedule_.exposure(*own - 1).length};
}

Millis TimedShooting::plannedAt(int shot) const {
  const auto own = ownShots();
  const bool dark = own && shot >= *own;
  return (dark ? *darkFrom_ : status_.firstAt) + exposure(shot).at;
}

void TimedShooting::finish() {
  const bool waits = status_.dark > 0 && !darkFrom_;
  status_.state = waits ? State::waiting : State::done;
}

void TimedShooting::scheduleShot() {
  status_.nextAt = plannedAt(status_.shot);
  const Millis wait = std::max(Millis{0}, *status_.nextAt - platform().runLoop.now());
  shotTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { shoot(); });
}

void TimedShooting::shoot() {
  const Millis due = plannedAt(status_.shot);
  const Millis length = exposure(status_.shot++).length;
  status_.state = State::running;
  if (variesBulb(plan())) status_.bulb = length;
  if (shutter_.connected()) {
    holding_ = true;
    shotCut_ = false;
    shutter_.press();
    // The let-go is planned from the shot's planned start too, so a bulb is exact.
    const Millis wait = std::max(Millis{0}, due + length - platform().runLoop.now());
    releaseTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { letGo(); });
  } else {
    ++status_.missed;
    report("not connected");
  }
  const bool ownDone = ownShots() == status_.shot && !darkFrom_;
  if (!ownDone && (!status_.of || status_.shot < *status_.of)) scheduleShot();
  else status_.nextAt.reset();
  if (!holding_ && !status_.nextAt) finish();
  changed_();
}

void TimedShooting::linkChanged(bool connected) {
  if (holding_ && !connected) shotCut_ = true;
}

void TimedShooting::letGo() {
  holding_ = false;
  const bool cut = std::exchange(shotCut_, false);
  if (cut) ++status_.cut;
  shutter_.release();
  report(cut ? "the link dropped" : "");
  if (!status_.nextAt && stopping_) status_.state = State::stopped;
  else if (!status_.nextAt) finish();
  changed_();
}

void TimedShooting::report(std::string missed) {
  const int shot = status_.shot - 1;
  if (ended_) ended_({status_.shot, plannedAt(shot), exposure(shot).length, std::move(missed)});
}

void TimedShooting::cancelTimers() {
  for (auto* timer : {&shotTimer_, &releaseTimer_}) {
    if (*timer) (*timer)->invalidate();
    timer->reset();
  }
}

}  // namespace kiro
