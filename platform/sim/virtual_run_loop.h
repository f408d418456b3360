#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "platform/run_loop.h"

namespace kiro {

// A run loop on a virtual clock: time moves only when told, and due timers run in time
// order (ties in the order they were scheduled). Deterministic to the millisecond.
class VirtualRunLoop final : public RunLoop {
 public:
  VirtualRunLoop() = default;
  ~VirtualRunLoop() override;

  Millis now() const override { return now_; }
  std::shared_ptr<Timer> scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) override;
  void performAfterDelay(Millis delay, std::function<void()> action) override;
  // Moves the clock on at once; timers that fall due meanwhile run after it, late.
  void sleepFor(Millis duration) override { now_ += duration; }

  // duration: how far to move the clock, running every timer that falls due on the way
  // (and, after a blocking sleep that overshoots, every one due by the clock's reading).
  void advance(Millis duration) { runUntil(now_ + duration); }
  // time: the clock reading to reach; an earlier time only runs what is already due.
  void runUntil(Millis time);
  // Runs what is due now, without moving the clock.
  void runDue() { runUntil(now_); }
  // How many timers are waiting (not invalidated, not fired).
  std::size_t pendingCount() const;

 private:
  class VirtualTimer;
  using Key = std::pair<Millis, std::uint64_t>;

  void enqueue(const std::shared_ptr<VirtualTimer>& timer, Millis due);

  Millis now_{0};
  std::uint64_t sequence_ = 0;
  std::map<Key, std::shared_ptr<VirtualTimer>> queue_;
};

}  // namespace kiro
