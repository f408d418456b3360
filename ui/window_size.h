#pragma once

#include "ui/geometry.h"

namespace kiro {

// The size in points the screens lay out at in a window of window pixels, for a phone's
// screen of phone points: at the scale that fits the phone's screen into the window, so
// type keeps the size it has there, and as much more than the phone's as the window has
// room for, in whole points. The pixel a window's rounding may leave over is no room: a
// window of the phone's shape keeps the phone's size exactly.
Size layoutSize(const Size& window, const Size& phone);

}  // namespace kiro
