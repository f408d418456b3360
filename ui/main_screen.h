#pragma once

#include <optional>

#include "platform/installed.h"
#include "ui/geometry.h"

namespace kiro {

// The display the app runs on, as the screens read it for their layout.
struct MainScreen {
  Size bounds{320, 568};  // in points
  double scale = 2;       // pixels per point
  // The current display mode's size in pixels, by default the bounds at the scale;
  // nullopt where the display reports no mode.
  std::optional<Size> displayModeSize = Size{bounds.width * scale, bounds.height * scale};
};

// Installs a display for its own lifetime, restoring the previous one after.
using MainScreenScope = Installed<const MainScreen>;

// The installed display.
inline const MainScreen& mainScreen() { return MainScreenScope::current("display"); }

}  // namespace kiro
