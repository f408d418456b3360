#include "platform/sim/virtual_run_loop.h"

#include <algorithm>

namespace kiro {

class VirtualRunLoop::VirtualTimer final : public Timer {
 public:
  VirtualTimer(Millis interval, bool repeats, std::function<void()> fire)
      : interval(interval), repeats(repeats), fire(std::move(fire)) {}

  void invalidate() override {
    valid = false;
    fire = nullptr;  // drops what the callback holds, as a real timer releases its target
  }
  bool isValid() const override { return valid; }

  Millis interval;
  bool repeats;
  std::function<void()> fire;
  bool valid = true;
};

VirtualRunLoop::~VirtualRunLoop() {
  for (auto& [key, timer] : queue_) timer->invalidate();
}

std::shared_ptr<Timer> VirtualRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  // A repeating timer with no interval would never let the clock move.
  if (repeats && interval <= Millis{0}) interval = Millis{1};
  auto timer = std::make_shared<VirtualTimer>(interval, repeats, std::move(fire));
  enqueue(timer, now_ + std::max(interval, Millis{0}));
  return timer;
}

void VirtualRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  scheduleTimer(delay, false, std::move(action));
}

void VirtualRunLoop::enqueue(const std::shared_ptr<VirtualTimer>& timer, Millis due) {
  queue_.emplace(Key{due, sequence_++}, timer);
}

void VirtualRunLoop::runUntil(Millis time) {
  while (!queue_.empty()) {
    auto first = queue_.begin();
    const Millis due = first->first.first;
    // A blocking sleep on the way may have moved the clock past time: what fell due by
    // then runs too, late, as on a real loop.
    if (due > std::max(time, now_)) break;
    auto timer = first->second;
    queue_.erase(first);
    if (!timer->valid) continue;

    now_ = std::max(now_, due);
    if (timer->repeats) {
      // Keep the phase; after a blocking sleep the missed ticks collapse into this one.
      Millis next = due + timer->interval;
      if (next <= now_) next += ((now_ - next) / timer->interval + 1) * timer->interval;
      enqueue(timer, next);
    } else {
      timer->valid = false;
    }
    auto fire = timer->fire;  // the callback may invalidate its own timer
    if (fire) fire();
  }
  now_ = std::max(now_, time);
}

std::size_t VirtualRunLoop::pendingCount() const {
  return static_cast<std::size_t>(
      std::count_if(queue_.begin(), queue_.end(), [](const auto& entry) { return entry.second->valid; }));
}

}  // namespace kiro
