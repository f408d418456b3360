#pragma once

#include "ui/main_screen.h"

namespace kiro {

// The displays the About screen sets its type for, told apart by their mode's pixel size:
// small 640 x 960, medium 750 x 1334, large 1242 x 2208; any other, or none, is other.
enum class ScreenKind { small, medium, large, other };

ScreenKind screenKind(const MainScreen& screen);

// The size of the title and version labels' type, in points.
double aboutLabelFontSize(ScreenKind kind);

// The help text's spacing between lines, in points.
double helpLineSpacing(ScreenKind kind);

}  // namespace kiro
