#pragma once

#include <chrono>

namespace kiro {

// An instant, as the date helpers take and give it.
using Date = std::chrono::system_clock::time_point;

}  // namespace kiro
