#pragma once

#include <vector>

#include "platform/run_loop.h"

namespace kiro::ladders {

// Bulb lengths: from 0.1 s in third stops to 30 s, then 40 s, 50 s, by the minute to
// 30 min and by 5 min to 4 h.
const std::vector<Millis>& bulb();
// Delays and intervals: by the second to 1 min, by 5 s to 5 min, by the minute to 1 h
// and by 5 min to 99 h.
const std::vector<Millis>& time();
// The value steps rungs away from value (up when steps is positive), kept on the ladder:
// a typed value between two rungs goes to the next one its way.
Millis step(const std::vector<Millis>& ladder, Millis value, int steps);

}  // namespace kiro::ladders
