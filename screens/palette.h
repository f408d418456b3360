#pragma once

#include "ui/color.h"

namespace kiro {

// Colours more than one screen uses: the remote control's bar yellow, which the timed
// shooting controls take up, and the dark grey of those controls.
inline constexpr Color kYellow{0.98823529, 0.82745099, 0, 1};
inline constexpr Color kDarkGrey{0.16, 0.17, 0.2, 1};

}  // namespace kiro
