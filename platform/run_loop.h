#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace kiro {

using Millis = std::chrono::milliseconds;

// A scheduled timer. Invalidating an empty, fired or already invalidated timer does nothing.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void invalidate() = 0;
  virtual bool isValid() const = 0;
};

// The main thread's run loop: its clock, its timers and its blocking sleep.
// Everything in the system runs on it; nothing needs locks.
class RunLoop {
 public:
  virtual ~RunLoop() = default;

  // Time since the loop started.
  virtual Millis now() const = 0;

  // interval: time to the first firing and, when repeats, between firings.
  // A repeating timer that falls behind fires once and keeps its phase: no burst of missed ticks.
  virtual std::shared_ptr<Timer> scheduleTimer(Millis interval, bool repeats,
                                               std::function<void()> fire) = 0;

  // Invalidates the timer in field, if any, and puts there a one-shot timer that fires
  // interval from now: what a lamp does at each frame. A loop may move a waiting timer of
  // its own instead of making a new one, firing at the same time.
  virtual void restartTimer(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire) {
    if (field) field->invalidate();
    field = scheduleTimer(interval, false, std::move(fire));
  }

  // delay: time until action runs once; nothing can cancel it.
  virtual void performAfterDelay(Millis delay, std::function<void()> action) = 0;

  // duration: how long the main thread is blocked; no timer or callback runs meanwhile.
  virtual void sleepFor(Millis duration) = 0;
};

}  // namespace kiro
