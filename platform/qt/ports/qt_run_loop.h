#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "platform/run_loop.h"

namespace kiro {

class QtTimer;

// The main run loop on Qt's event loop. Timers are precise: the 25 ms pump keeps its period.
// Each timer is a Qt timer id on one object, not a QTimer of its own. A lamp's timer is
// restarted every frame: that moves its deadline, and Qt's timer is started again only
// when it fires before it.
class QtRunLoop final : public QObject, public RunLoop {
 public:
  QtRunLoop();
  // Invalidates the timers still scheduled, releasing what their callbacks hold.
  ~QtRunLoop() override;

  Millis now() const override;
  std::shared_ptr<Timer> scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) override;
  void restartTimer(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire) override;
  void performAfterDelay(Millis delay, std::function<void()> action) override;
  // Really blocks the thread: no event, timer or callback runs meanwhile.
  void sleepFor(Millis duration) override;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  friend class QtTimer;
  // What a Qt timer id stands for: a Timer, which its holders own, or a perform, owned here.
  struct Scheduled {
    bool used = false;
    std::weak_ptr<QtTimer> timer;
    std::function<void()> perform;
  };

  // The clock to the nanosecond: a moved deadline is kept at the time it was asked for.
  std::chrono::nanoseconds preciseNow() const;
  int start(Millis interval);
  void stop(int id);
  // The entry of a running Qt timer, or null.
  Scheduled* find(int id);

  QElapsedTimer clock_;
  // By Qt timer id: Qt hands out small ids and reuses them, so after the first frames a
  // timer started costs no allocation here.
  std::vector<Scheduled> scheduled_;
};

}  // namespace kiro
