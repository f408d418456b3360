#include "screens/about/about_layout.h"

namespace kiro {

ScreenKind screenKind(const MainScreen& screen) {
  if (!screen.displayModeSize) return ScreenKind::other;
  const Size pixels = *screen.displayModeSize;
  if (pixels == Size{640, 960}) return ScreenKind::small;
  if (pixels == Size{750, 1334}) return ScreenKind::medium;
  if (pixels == Size{1242, 2208}) return ScreenKind::large;
  return ScreenKind::other;
}

double aboutLabelFontSize(ScreenKind kind) { return kind == ScreenKind::large ? 16 : 14; }

double helpLineSpacing(ScreenKind kind) {
  switch (kind) {
    case ScreenKind::medium:
      return 5;
    case ScreenKind::large:
      return 10;
    case ScreenKind::small:
    case ScreenKind::other:
      break;
  }
  return 0;
}

}  // namespace kiro
