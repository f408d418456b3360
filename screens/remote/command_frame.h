#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "link/descriptions.h"

namespace kiro {

// The four positions of the command frame, each set or clear. Its text, the positions then
// "0000", is what the link manager turns into the command byte.
struct CommandFrame {
  enum Position : std::size_t { acknowledge, releaseNotice, shutter, focus };

  std::array<bool, 4> positions{};

  bool operator[](std::size_t position) const { return positions[position]; }
  bool idle() const { return positions == std::array<bool, 4>{}; }
  // Eight characters: short enough to be made without the heap at every tick.
  std::string text() const {
    std::string text = "00000000";
    for (std::size_t i = 0; i < positions.size(); ++i)
      if (positions[i]) text[i] = '1';
    return text;
  }
  friend bool operator==(const CommandFrame&, const CommandFrame&) = default;
};

// As the list of its positions, "(0, 0, 1, 1)".
inline std::string describe(const CommandFrame& frame) { return describe(frame.positions); }

}  // namespace kiro
