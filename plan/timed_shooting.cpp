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
    case State::done: return "done";
    case State::stopped: return "stopped";
  }
  return "";
}

TimedShooting::TimedShooting(Shutter shutter, std::function<void()> changed)
    : shutter_(std::move(shutter)), changed_(std::move(changed)) {}

TimedShooting::~TimedShooting() { cancelTimers(); }

bool TimedShooting::active() const { return status_.state == State::planned || status_.state == State::running; }

void TimedShooting::start(const ShootingPlan& plan, Millis firstShotIn) {
  end({});
  stopping_ = false;
  plan_ = plan;
  status_ = ShootingStatus{};
  status_.state = State::planned;
  status_.mode = plan.mode;
  status_.of = exposureCount(plan);
  status_.timeOfDay = plan.at.has_value();
  status_.firstAt = platform().runLoop.now() + firstShotIn;
  if (const auto length = planLength(plan)) status_.endsAt = status_.firstAt + *length;
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
  if (std::exchange(holding_, false)) shutter_.release();
  changed_();
}

Millis TimedShooting::plannedAt(int shot) const { return status_.firstAt + exposure(plan_, shot).at; }

void TimedShooting::scheduleShot() {
  status_.nextAt = plannedAt(status_.shot);
  const Millis wait = std::max(Millis{0}, *status_.nextAt - platform().runLoop.now());
  shotTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { shoot(); });
}

void TimedShooting::shoot() {
  const Millis due = plannedAt(status_.shot);
  const Millis length = exposure(plan_, status_.shot++).length;
  status_.state = State::running;
  if (variesBulb(plan_)) status_.bulb = length;
  if (shutter_.connected()) {
    holding_ = true;
    shotCut_ = false;
    shutter_.press();
    // The let-go is planned from the shot's planned start too, so a bulb is exact.
    const Millis wait = std::max(Millis{0}, due + length - platform().runLoop.now());
    releaseTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { letGo(); });
  } else {
    ++status_.missed;
  }
  if (!status_.of || status_.shot < *status_.of) scheduleShot();
  else status_.nextAt.reset();
  if (!holding_ && !status_.nextAt) status_.state = State::done;
  changed_();
}

void TimedShooting::linkChanged(bool connected) {
  if (holding_ && !connected) shotCut_ = true;
}

void TimedShooting::letGo() {
  holding_ = false;
  if (std::exchange(shotCut_, false)) ++status_.cut;
  shutter_.release();
  if (!status_.nextAt) status_.state = stopping_ ? State::stopped : State::done;
  changed_();
}

void TimedShooting::cancelTimers() {
  for (auto* timer : {&shotTimer_, &releaseTimer_}) {
    if (*timer) (*timer)->invalidate();
    timer->reset();
  }
}

}  // namespace kiro
