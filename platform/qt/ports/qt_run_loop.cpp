#include "platform/qt/ports/qt_run_loop.h"

#include <QTimerEvent>
#include <algorithm>
#include <limits>
#include <thread>

namespace kiro {

using Nanos = std::chrono::nanoseconds;

namespace {

// Qt keeps a timer's interval as an int of milliseconds: a longer wait is made of several.
constexpr Millis kLongestQtWait{std::numeric_limits<int>::max()};

Millis qtWait(Millis wait) { return std::clamp(wait, Millis{0}, kLongestQtWait); }

}  // namespace

class QtTimer final : public Timer {
 public:
  QtTimer(QtRunLoop& loop, int id, Nanos due, Nanos deadline, bool repeats, std::function<void()> fire)
      : loop_(&loop), id_(id), due_(due), deadline_(deadline), repeats_(repeats), fire_(std::move(fire)) {}
  ~QtTimer() override { invalidate(); }

  void invalidate() override {
    if (id_ == 0) return;
    loop_->stop(id_);
    id_ = 0;
    // What the callback holds goes now, or once it returns when it invalidates itself.
    if (!firing_) release();
  }
  bool isValid() const override { return id_ != 0; }

  // A waiting one-shot timer of loop now fires at deadline, with fire. False, and fire
  // untouched, when Qt's timer is due after deadline: it is never moved earlier.
  bool postpone(const QtRunLoop& loop, Nanos deadline, std::function<void()>& fire) {
    if (&loop != loop_ || id_ == 0 || repeats_ || deadline < due_) return false;
    deadline_ = deadline;
    fire_ = std::move(fire);
    return true;
  }

  // How long it still waits when Qt's timer fires: nothing unless it was postponed past
  // Qt's timer, which is never early.
  Nanos rest(Nanos now) const { return repeats_ || deadline_ <= due_ ? Nanos{0} : deadline_ - now; }
  // Qt's timer was started again, as id, due no earlier than due.
  void restarted(int id, Nanos due) {
    id_ = id;
    due_ = due;
  }

  // The caller holds a reference: the callback may drop every other one.
  void fire() {
    firing_ = true;
    if (!repeats_) invalidate();
    fire_();
    firing_ = false;
    if (id_ == 0) release();
  }

 private:
  // The callback may hold the last reference to this timer: nothing is touched after.
  void release() {
    std::function<void()> released;
    released.swap(fire_);
  }

  QtRunLoop* loop_;
  int id_;  // 0 once invalidated or fired for good: Qt reuses ids
  Nanos due_;  // when Qt's timer fires at the earliest, on the loop's clock
  Nanos deadline_;  // when the callback runs: later than due_ once postponed
  bool repeats_;
  bool firing_ = false;
  std::function<void()> fire_;
};

QtRunLoop::QtRunLoop() { clock_.start(); }

QtRunLoop::~QtRunLoop() {
  // A repeating timer may hold the object that holds it; ending it here breaks that cycle.
  while (!scheduled_.empty()) {
    auto first = scheduled_.begin();
    if (auto timer = first->second.timer.lock())
      timer->invalidate();
    else
      stop(first->first);
  }
}

Millis QtRunLoop::now() const { return Millis{clock_.elapsed()}; }

std::chrono::nanoseconds QtRunLoop::preciseNow() const { return std::chrono::nanoseconds{clock_.nsecsElapsed()}; }

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  // Read before Qt's timer starts, so that the due time kept is never later than Qt's.
  const Nanos now = preciseNow();
  const int id = start(interval);
  auto timer = std::make_shared<QtTimer>(*this, id, now + qtWait(interval), now + std::max(interval, Millis{0}), repeats,
                                         std::move(fire));
  scheduled_[id].timer = timer;
  return timer;
}

void QtRunLoop::restartTimer(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire) {
  // A lamp lit again at each frame would otherwise cost Qt a timer each time: moving the
  // deadline costs nothing until Qt's timer fires, and then one start for the rest.
  auto* timer = dynamic_cast<QtTimer*>(field.get());
  if (timer != nullptr && timer->postpone(*this, preciseNow() + std::max(interval, Millis{0}), fire)) return;
  RunLoop::restartTimer(field, interval, std::move(fire));
}

void QtRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  scheduled_[start(delay)].perform = std::move(action);
}

void QtRunLoop::sleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

void QtRunLoop::timerEvent(QTimerEvent* event) {
  const auto found = scheduled_.find(event->timerId());
  if (found == scheduled_.end()) return;
  if (const auto timer = found->second.timer.lock()) {
    const Nanos now = preciseNow();
    const Nanos rest = timer->rest(now);
    if (rest <= Nanos{0}) return timer->fire();
    // Postponed since Qt's timer started: started again for what is left, rounded up.
    stop(found->first);
    const Millis wait = qtWait(std::chrono::ceil<Millis>(rest));
    const int id = start(wait);
    timer->restarted(id, now + wait);
    scheduled_[id].timer = timer;
    return;
  }
  // A perform, which runs once.
  const std::function<void()> perform = std::move(found->second.perform);
  stop(found->first);
  if (perform) perform();
}

// A negative interval is due at once, as Qt would refuse it; a longer one than Qt takes comes
// early, and a timer then waits the rest.
int QtRunLoop::start(Millis interval) { return startTimer(qtWait(interval), Qt::PreciseTimer); }

void QtRunLoop::stop(int id) {
  killTimer(id);
  scheduled_.erase(id);
}

}  // namespace kiro
