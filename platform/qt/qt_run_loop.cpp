#include "platform/qt/qt_run_loop.h"

#include <QTimer>
#include <thread>

namespace kiro {

namespace {

class QtTimer final : public Timer {
 public:
  // owner: deletes the QTimer at the latest when the loop ends.
  QtTimer(QObject& owner, Millis interval, bool repeats, std::function<void()> fire)
      : timer_(new QTimer(&owner)), firing_(std::make_shared<bool>(false)) {
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setSingleShot(!repeats);
    timer_->setInterval(static_cast<int>(interval.count()));
    // The flag lives in the connection, which Qt keeps alive while it calls it, so it
    // outlasts this object when the callback drops the last reference to it.
    QObject::connect(timer_, &QTimer::timeout, timer_, [firing = firing_, fire = std::move(fire)] {
      *firing = true;
      fire();
      *firing = false;
    });
    timer_->start();
  }
  ~QtTimer() override { invalidate(); }

  void invalidate() override {
    if (!timer_) return;
    timer_->stop();
    // Dropping the connection releases what the callback holds. A QTimer inside its own
    // timeout goes later; any other goes now, without an event to post (and a wake-up) for it.
    QObject::disconnect(timer_, nullptr, nullptr, nullptr);
    if (*firing_)
      timer_->deleteLater();
    else
      delete timer_;
    timer_ = nullptr;
  }
  bool isValid() const override { return timer_ != nullptr && timer_->isActive(); }

 private:
  QTimer* timer_;
  std::shared_ptr<bool> firing_;
};

}  // namespace

QtRunLoop::QtRunLoop() { clock_.start(); }

QtRunLoop::~QtRunLoop() {
  for (const auto& weak : timers_)
    if (auto timer = weak.lock()) timer->invalidate();
}

Millis QtRunLoop::now() const { return Millis{clock_.elapsed()}; }

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  // A repeating timer may hold the object that holds it; the loop breaks that cycle at the end.
  std::erase_if(timers_, [](const std::weak_ptr<Timer>& timer) { return timer.expired(); });
  auto timer = std::make_shared<QtTimer>(context_, interval, repeats, std::move(fire));
  timers_.push_back(timer);
  return timer;
}

void QtRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  QTimer::singleShot(std::chrono::milliseconds(delay), Qt::PreciseTimer, &context_, std::move(action));
}

void QtRunLoop::sleepFor(Millis duration) { std::this_thread::sleep_for(duration); }

}  // namespace kiro
