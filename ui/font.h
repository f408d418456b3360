#pragma once

#include <string>

namespace kiro {

// A font by its PostScript name, such as "Arial-BoldMT" (empty: the system font), and its
// size in points.
struct Font {
  std::string name;
  double size = 17;
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace kiro
