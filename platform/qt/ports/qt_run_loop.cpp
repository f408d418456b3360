#include "platform/qt/ports/qt_run_loop.h"

#include <QTimerEvent>
#include <algorithm>
#include <limits>
#include <thread>
#include <utility>

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
  for (std::size_t id = 0; id < scheduled_.size(); ++id) {
    if (!scheduled_[id].used) continue;
    if (auto timer = scheduled_[id].timer.lock())
      timer->invalidate();
    else
      stop(static_cast<int>(id));
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
  if (Scheduled* entry = find(id)) entry->timer = timer;
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
  if (Scheduled* entry = find(start(delay))) entry->perform = std::move(action);
}

void QtRunLoop::sleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

void QtRunLoop::timerEvent(QTimerEvent* event) {
  const int fired = event->timerId();
  Scheduled* found = find(fired);
  if (found == nullptr) return;
  if (const auto timer = found->timer.lock()) {
    const Nanos now = preciseNow();
    const Nanos rest = timer->rest(now);
    if (rest <= Nanos{0}) return timer->fire();
    // Postponed since Qt's timer started: started again for what is left, rounded up.
    stop(fired);
    const Millis wait = qtWait(std::chrono::ceil<Millis>(rest));
    const int id = start(wait);
    timer->restarted(id, now + wait);
    if (Scheduled* entry = find(id)) entry->timer = timer;
    return;
  }
  // A perform, which runs once.
  const std::function<void()> perform = std::move(found->perform);
  stop(fired);
  if (perform) perform();
}

// A negative interval is due at once, as Qt would refuse it; a longer one than Qt takes comes
// early, and a timer then waits the rest.
int QtRunLoop::start(Millis interval) {
  const int id = startTimer(qtWait(interval), Qt::PreciseTimer);
  if (id <= 0) return 0;  // Qt refused it: a timer that never fires, as an invalidated one
  const auto index = static_cast<std::size_t>(id);
  if (index >= scheduled_.size()) scheduled_.resize(index + 1);
  scheduled_[index].used = true;
  return id;
}

void QtRunLoop::stop(int id) {
  if (id > 0) killTimer(id);
  Scheduled* entry = find(id);
  if (entry == nullptr) return;
  // What the entry held goes once the table is in order again: its end may start a timer.
  const Scheduled gone = std::exchange(*entry, Scheduled{});
}

QtRunLoop::Scheduled* QtRunLoop::find(int id) {
  const auto index = static_cast<std::size_t>(id);
  return id > 0 && index < scheduled_.size() && scheduled_[index].used ? &scheduled_[index] : nullptr;
}

}  // namespace kiro
