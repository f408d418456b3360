#include "platform/qt/qt_run_loop.h"

#include <QTimerEvent>
#include <algorithm>
#include <thread>

namespace kiro {

class QtTimer final : public Timer {
 public:
  QtTimer(QtRunLoop& loop, int id, bool repeats, std::function<void()> fire)
      : loop_(&loop), id_(id), repeats_(repeats), fire_(std::move(fire)) {}
  ~QtTimer() override { invalidate(); }

  void invalidate() override {
    if (id_ == 0) return;
    loop_->stop(id_);
    id_ = 0;
    // What the callback holds goes now, or once it returns when it invalidates itself.
    if (!firing_) release();
  }
  bool isValid() const override { return id_ != 0; }

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

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  const int id = start(interval);
  auto timer = std::make_shared<QtTimer>(*this, id, repeats, std::move(fire));
  scheduled_[id].timer = timer;
  return timer;
}

void QtRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  scheduled_[start(delay)].perform = std::move(action);
}

void QtRunLoop::sleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

void QtRunLoop::timerEvent(QTimerEvent* event) {
  const auto found = scheduled_.find(event->timerId());
  if (found == scheduled_.end()) return;
  if (const auto timer = found->second.timer.lock()) return timer->fire();
  // A perform, which runs once.
  const std::function<void()> perform = std::move(found->second.perform);
  stop(found->first);
  if (perform) perform();
}

// A negative interval is due at once, as Qt would refuse it.
int QtRunLoop::start(Millis interval) { return startTimer(std::max(interval, Millis{0}), Qt::PreciseTimer); }

void QtRunLoop::stop(int id) {
  killTimer(id);
  scheduled_.erase(id);
}

}  // namespace kiro
