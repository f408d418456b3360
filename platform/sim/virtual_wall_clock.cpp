#include "platform/sim/virtual_wall_clock.h"

namespace kiro {

std::chrono::seconds VirtualWallClock::utcOffset(WallTime at) const {
  const auto after = offsets_.upper_bound(at);
  return after == offsets_.begin() ? std::chrono::seconds{0} : std::prev(after)->second;
}

}  // namespace kiro
