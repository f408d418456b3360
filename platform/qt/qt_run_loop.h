#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <vector>

#include "platform/run_loop.h"

namespace kiro {

// The main run loop on Qt's event loop. Timers are precise: the 25 ms pump keeps its period.
class QtRunLoop final : public RunLoop {
 public:
  QtRunLoop();
  // Invalidates the timers still scheduled, releasing what their callbacks hold.
  ~QtRunLoop() override;

  Millis now() const override;
  std::shared_ptr<Timer> scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) override;
  void performAfterDelay(Millis delay, std::function<void()> action) override;
  // Really blocks the thread: no event, timer or callback runs meanwhile.
  void sleepFor(Millis duration) override;

 private:
  QElapsedTimer clock_;
  QObject context_;  // owns the pending one-shot performs
  std::vector<std::weak_ptr<Timer>> timers_;
};

}  // namespace kiro
