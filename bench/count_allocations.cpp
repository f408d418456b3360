// Preloaded into a whole process (LD_PRELOAD) by process_allocations.py: counts every
// malloc, calloc and realloc, Qt's and the C++ library's included, and says the count on
// stderr as the process ends. glibc's own entry points do the work, so nothing here
// allocates or looks anything up.
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdio>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {

std::atomic<std::size_t> allocations{0};

void count() { allocations.fetch_add(1, std::memory_order_relaxed); }

__attribute__((destructor)) void report() {
  char line[64];
  const int length = std::snprintf(line, sizeof line, "kiro-allocations: %zu\n", allocations.load());
  if (length > 0) static_cast<void>(write(STDERR_FILENO, line, static_cast<std::size_t>(length)));
}

}  // namespace

extern "C" {
void* malloc(std::size_t size) {
  count();
  return __libc_malloc(size);
}
void* calloc(std::size_t number, std::size_t size) {
  count();
  return __libc_calloc(number, size);
}
void* realloc(void* block, std::size_t size) {
  count();
  return __libc_realloc(block, size);
}
}
