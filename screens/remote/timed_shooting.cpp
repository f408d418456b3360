#include "screens/remote/timed_shooting.h"

#include <algorithm>
#include <utility>

#include "platform/platform.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;
using State = ShootingStatus::State;

std::string millis(Millis duration) { return std::to_string(duration.count()) + " ms"; }

}  // namespace

Millis shotLength(const ShootingPlan& plan) { return plan.mode == Mode::self ? kShortPress : plan.bulb.value_or(kShortPress); }

std::optional<std::string> planProblem(const ShootingPlan& plan) {
  if (plan.delay && *plan.delay <= Millis{0}) return std::string("the delay must be more than zero");
  if (plan.bulb && *plan.bulb <= Millis{0}) return std::string("the bulb time must be more than zero");
  switch (plan.mode) {
    case Mode::self:
      if (!plan.delay) return std::string("the self-timer needs a delay");
      break;
    case Mode::bulb:
      if (!plan.bulb) return std::string("a bulb exposure needs its length");
      break;
    case Mode::interval:
      if (plan.count && *plan.count <= 0) return std::string("the number of shots must be more than zero");
      if (plan.interval < shotLength(plan) + kReleaseNotice)
        return "the interval (" + millis(plan.interval) + ") is shorter than a shot (" + millis(shotLength(plan)) +
               ") and its release notice (" + millis(kReleaseNotice) + ")";
      break;
  }
  return std::nullopt;
}

const char* modeName(Mode mode) {
  switch (mode) {
    case Mode::self: return "self";
    case Mode::bulb: return "bulb";
    case Mode::interval: return "interval";
  }
  return "";
}

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

void TimedShooting::start(const ShootingPlan& plan) {
  stop();
  plan_ = plan;
  start_ = platform().runLoop.now();
  status_ = {State::planned, plan.mode, 0, plan.mode == Mode::interval ? plan.count : std::optional<int>(1), 0, {}};
  scheduleShot();
  changed_();
}

void TimedShooting::stop() {
  if (!active()) return;
  cancelTimers();
  status_.state = State::stopped;
  status_.nextAt.reset();
  if (std::exchange(holding_, false)) shutter_.release();
  changed_();
}

Millis TimedShooting::plannedAt(int shot) const { return start_ + plan_.delay.value_or(Millis{0}) + shot * plan_.interval; }

void TimedShooting::scheduleShot() {
  status_.nextAt = plannedAt(status_.shot);
  const Millis wait = std::max(Millis{0}, *status_.nextAt - platform().runLoop.now());
  shotTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { shoot(); });
}

void TimedShooting::shoot() {
  const Millis due = plannedAt(status_.shot++);
  status_.state = State::running;
  if (shutter_.connected()) {
    holding_ = true;
    shutter_.press();
    // The let-go is planned from the shot's planned start too, so a bulb is exact.
    const Millis wait = std::max(Millis{0}, due + shotLength(plan_) - platform().runLoop.now());
    releaseTimer_ = platform().runLoop.scheduleTimer(wait, false, [this] { letGo(); });
  } else {
    ++status_.missed;
  }
  if (!status_.of || status_.shot < *status_.of) scheduleShot();
  else status_.nextAt.reset();
  if (!holding_ && !status_.nextAt) status_.state = State::done;
  changed_();
}

void TimedShooting::letGo() {
  holding_ = false;
  shutter_.release();
  if (!status_.nextAt) status_.state = State::done;
  changed_();
}

void TimedShooting::cancelTimers() {
  for (auto* timer : {&shotTimer_, &releaseTimer_}) {
    if (*timer) (*timer)->invalidate();
    timer->reset();
  }
}

}  // namespace kiro
