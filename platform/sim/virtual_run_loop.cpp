#include "platform/sim/virtual_run_loop.h"

#include <algorithm>

namespace kiro {

class VirtualRunLoop::VirtualTimer final : public Timer {
 public:
  VirtualTimer(Millis interval, bool repeats, std::function<void()> fire)
      : interval(interval), repeats(repeats), fire(std::move(fire)) {}

  void invalidate() override {
    valid = false;
    released = true;
    // Drops what the callback holds, as a real timer releases its target; a callback that
    // invalidates its own timer is dropped once it returns.
    if (running == 0) fire = nullptr;
  }
  bool isValid() const override { return valid; }

  Millis interval;
  bool repeats;
  std::function<void()> fire;
  bool valid = true;
  bool released = false;
  int running = 0;  // calls of fire under way
};

// Blocks of the one size a timer takes (allocate_shared asks for no other). Timers kept past the loop keep it too, through
// their allocator, so a block is always given back to a live pool.
class VirtualRunLoop::BlockPool {
 public:
  BlockPool() = default;
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;
  ~BlockPool() {
    for (void* block : free_) ::operator delete(block);
  }

  void* take(std::size_t size) {
    if (free_.empty()) return ::operator new(size);
    void* block = free_.back();
    free_.pop_back();
    return block;
  }
  void give(void* block) { free_.push_back(block); }

 private:
  std::vector<void*> free_;
};

// What allocate_shared makes a timer's block with: one block at a time, from the pool.
template <typename T>
struct VirtualRunLoop::PoolAllocator {
  using value_type = T;
  explicit PoolAllocator(std::shared_ptr<BlockPool> pool) : pool(std::move(pool)) {}
  // Implicit, as allocate_shared rebinds it to its own block type.
  template <typename U>
  PoolAllocator(const PoolAllocator<U>& other) : pool(other.pool) {}

  T* allocate(std::size_t n) { return static_cast<T*>(pool->take(n * sizeof(T))); }
  void deallocate(T* block, std::size_t) { pool->give(block); }
  friend bool operator==(const PoolAllocator& a, const PoolAllocator& b) { return a.pool == b.pool; }

  std::shared_ptr<BlockPool> pool;
};

VirtualRunLoop::VirtualRunLoop() : pool_(std::make_shared<BlockPool>()) {}

VirtualRunLoop::~VirtualRunLoop() {
  for (auto& entry : queue_) entry.timer->invalidate();
}

std::shared_ptr<Timer> VirtualRunLoop::scheduleTimer(Millis interval, bool repeats, std::function<void()> fire) {
  // A repeating timer with no interval would never let the clock move.
  if (repeats && interval <= Millis{0}) interval = Millis{1};
  auto timer = std::allocate_shared<VirtualTimer>(PoolAllocator<VirtualTimer>(pool_), interval, repeats, std::move(fire));
  enqueue(timer, now_ + std::max(interval, Millis{0}));
  return timer;
}

void VirtualRunLoop::performAfterDelay(Millis delay, std::function<void()> action) {
  scheduleTimer(delay, false, std::move(action));
}

void VirtualRunLoop::enqueue(std::shared_ptr<VirtualTimer> timer, Millis due) {
  queue_.push_back({due, sequence_++, std::move(timer)});
  std::push_heap(queue_.begin(), queue_.end(), later);
}

void VirtualRunLoop::runUntil(Millis time) {
  while (!queue_.empty()) {
    const Millis due = queue_.front().due;
    // A blocking sleep on the way may have moved the clock past time: what fell due by
    // then runs too, late, as on a real loop.
    if (due > std::max(time, now_)) break;
    std::pop_heap(queue_.begin(), queue_.end(), later);
    auto timer = std::move(queue_.back().timer);
    queue_.pop_back();
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
    if (!timer->fire) continue;
    ++timer->running;
    timer->fire();
    if (--timer->running == 0 && timer->released) timer->fire = nullptr;
  }
  now_ = std::max(now_, time);
}

std::size_t VirtualRunLoop::pendingCount() const {
  return static_cast<std::size_t>(
      std::count_if(queue_.begin(), queue_.end(), [](const Entry& entry) { return entry.timer->valid; }));
}

}  // namespace kiro
