// Heap allocations a held frame costs on the virtual clock, the simulated receiver's
// included: every operator new in this program is counted over a minute of R held, after
// a second of it, so that buffers grown once by the first frames are not charged to each.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/held_shutter.h"

namespace {

std::atomic<std::size_t> allocations{0};

void* counted(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

// The whole non-aligned family, so that each block is freed by the pair it came from.
void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return counted(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

int main() {
  using namespace std::chrono_literals;
  kiro::HeldShutter app(false);
  app.pressR();
  app.advance(1s);
  const std::size_t framesBefore = app.frames();
  const std::size_t before = allocations.load();
  app.advance(60s);
  const std::size_t spent = allocations.load() - before;
  const std::size_t frames = app.frames() - framesBefore;
  if (frames == 0) {
    std::fprintf(stderr, "frame_allocations: no frame was written while R was held\n");
    return 1;
  }
  std::printf("heap allocations a held frame: %.2f (%zu over %zu frames, quiet log)\n",
              static_cast<double>(spent) / static_cast<double>(frames), spent, frames);
  return 0;
}
