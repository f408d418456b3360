#pragma once

#include <optional>

#include "platform/ui/geometry.h"

namespace kiro {

// The display the app runs on, as the screens read it for their layout.
struct MainScreen {
  Size bounds{320, 568};  // in points
  double scale = 2;       // pixels per point
  // The current display mode's size in pixels, by default the bounds at the scale;
  // nullopt where the display reports no mode.
  std::optional<Size> displayModeSize = Size{bounds.width * scale, bounds.height * scale};
};

// The installed display; a 320 x 568 point screen at scale 2 (640 x 1136 pixels) when none
// is installed.
const MainScreen& mainScreen();

// Installs a display for its own lifetime, restoring the previous one after.
class MainScreenScope {
 public:
  explicit MainScreenScope(const MainScreen& screen);
  ~MainScreenScope();
  MainScreenScope(const MainScreenScope&) = delete;
  MainScreenScope& operator=(const MainScreenScope&) = delete;

 private:
  MainScreen screen_;
  const MainScreen* previous_;
};

}  // namespace kiro
