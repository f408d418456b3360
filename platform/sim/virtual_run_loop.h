#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/run_loop.h"

namespace kiro {

// A run loop on a virtual clock: time moves only when told, and due timers run in time
// order (ties in the order they were scheduled). Deterministic to the millisecond.
class VirtualRunLoop final : public RunLoop {
 public:
  VirtualRunLoop();
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
  class BlockPool;
  template <typename T>
  struct PoolAllocator;
  struct Entry {
    Millis due;
    std::uint64_t sequence;
    std::shared_ptr<VirtualTimer> timer;
  };
  // The heap's order: the entry due last, or scheduled last among equals, at the bottom.
  static bool later(const Entry& a, const Entry& b) {
    return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
  }

  void enqueue(std::shared_ptr<VirtualTimer> timer, Millis due);

  Millis now_{0};
  std::uint64_t sequence_ = 0;
  // Where timers are made: each held frame schedules several one-shot timers, and a block
  // freed by one is taken by the next instead of going back to the heap.
  std::shared_ptr<BlockPool> pool_;
  // A binary heap on a vector: once it has grown, a tick re-queues without allocating.
  std::vector<Entry> queue_;
};

}  // namespace kiro
