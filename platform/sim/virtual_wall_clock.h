#pragma once

#include <iterator>
#include <map>

#include "platform/wall_clock.h"

namespace kiro {

// A wall clock that moves with a run loop's virtual clock: it reads start when the loop
// reads zero. Its zone is UTC plus offsets that take effect at given instants, such as
// a daylight-saving change.
class VirtualWallClock final : public WallClock {
 public:
  static constexpr WallTime kDefaultStart{std::chrono::sys_days{std::chrono::January / 1 / 2027}};

  explicit VirtualWallClock(const RunLoop& loop, WallTime start = kDefaultStart) : loop_(loop), start_(start) {}

  WallTime now() const override { return start_ + loop_.now(); }
  std::chrono::seconds utcOffset(WallTime at) const override;
  // From from on, local time is UTC plus offset.
  void setOffset(WallTime from, std::chrono::seconds offset) { offsets_[from] = offset; }

 private:
  const RunLoop& loop_;
  WallTime start_;
  std::map<WallTime, std::chrono::seconds> offsets_;
};

}  // namespace kiro
