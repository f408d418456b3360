#include "plan/ladders.h"

#include <algorithm>

namespace kiro::ladders {

namespace {

using namespace std::chrono_literals;

// Rungs from after the last one so far up to last, every by.
void climb(std::vector<Millis>& ladder, Millis by, Millis last) {
  for (Millis value = ladder.back() + by; value <= last; value += by) ladder.push_back(value);
}

}  // namespace

const std::vector<Millis>& bulb() {
  static const std::vector<Millis> ladder = [] {
    std::vector<Millis> rungs{100ms, 130ms, 150ms, 200ms, 250ms, 300ms, 400ms, 500ms, 600ms, 800ms, 1s, 1300ms, 1600ms,
                              2s,    2500ms, 3200ms, 4s,   5s,     6s,     8s,     10s,    13s,    15s,    20s,    25s,
                              30s,   40s,    50s,    1min};
    climb(rungs, 1min, 30min);
    climb(rungs, 5min, 4h);
    return rungs;
  }();
  return ladder;
}

const std::vector<Millis>& time() {
  static const std::vector<Millis> ladder = [] {
    std::vector<Millis> rungs{1s};
    climb(rungs, 1s, 1min);
    climb(rungs, 5s, 5min);
    climb(rungs, 1min, 1h);
    climb(rungs, 5min, 99h);
    return rungs;
  }();
  return ladder;
}

Millis step(const std::vector<Millis>& ladder, Millis value, int steps) {
  // Where value sits: on a rung, or between the one below and the one above.
  const long above = std::upper_bound(ladder.begin(), ladder.end(), value) - ladder.begin();
  const long atOrAbove = std::lower_bound(ladder.begin(), ladder.end(), value) - ladder.begin();
  const long from = steps > 0 ? above - 1 : atOrAbove;
  const long at = std::clamp<long>(from + steps, 0, static_cast<long>(ladder.size()) - 1);
  return ladder[static_cast<std::size_t>(at)];
}

}  // namespace kiro::ladders
