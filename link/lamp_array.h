#pragma once

#include <array>
#include <cstddef>

namespace kiro {

// What the lamps read from one feedback byte: entry 0 is bit 0x08, down to entry 3, bit 0x01.
struct LampArray {
  std::array<bool, 4> entries{};

  bool operator[](std::size_t entry) const { return entries[entry]; }
  friend bool operator==(const LampArray&, const LampArray&) = default;
};

}  // namespace kiro
