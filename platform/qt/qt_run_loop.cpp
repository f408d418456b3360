#include "platform/qt/qt_run_loop.h"

#include <QTimer>
#include <thread>

namespace kiro {

namespace {

class QtTimer final : public Timer {
 public:
  QtTimer(Millis interval, bool repeats, std::function<void()> fire) : timer_(new QTimer) {
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setSingleShot(!repeats);
    timer_->setInterval(static_cast<int>(interval.count()));
    QObject::connect(timer_, &QTimer::timeout, timer_, std::move(fire));
    timer_->start();
  }
  ~QtTimer() override { invalidate(); }

  void invalidate() override {
    if (!timer_) return;
    timer_->stop();
    timer_->deleteLater();  // may be inside its own timeout right now
    timer_ = nullptr;
  }
  bool isValid() const override { return timer_ != nullptr && timer_->isActive(); }

 private:
  QTimer* timer_;
};

}  // namespace

QtRunLoop::QtRunLoop() { clock_.start(); }

Millis QtRunLoop::now() const { return Millis{clock_.elapsed()}; }

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  return std::make_shared<QtTimer>(interval, repeats, std::move(fire));
}

void QtRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  QTimer::singleShot(std::chrono::milliseconds(delay), Qt::PreciseTimer, &context_, std::move(action));
}

void QtRunLoop::sleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

}  // namespace kiro
