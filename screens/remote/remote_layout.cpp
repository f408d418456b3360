#include "screens/remote/remote_layout.h"

#include <algorithm>
#include <cmath>

namespace kiro {

namespace {
constexpr double kLampSide = 40;
constexpr double kLampTop = 128;
constexpr double kButtonDrop = 64;  // button tops below the vertical centre
constexpr double kBars = 64;        // the status and navigation bars over the view's top
constexpr double kBelowButtons = 96;  // the timer button and its two lines under F and R

// Three lamps and four gaps of a whole number of points across width from x. The up to 3
// points the truncated gap leaves over are split between the two outer gaps, so the row
// stays centred and the inner gaps stay exact.
void placeLamps(RemoteLayout& layout, double x, double width, double top) {
  const double gap = std::trunc((width - 3 * kLampSide) / 4);
  const double leftover = width - 3 * kLampSide - 4 * gap;
  x += gap + leftover / 2;
  for (auto& lamp : layout.lamps) {
    lamp = makeRect(x, top, kLampSide, kLampSide);
    x += kLampSide + gap;
  }
}

// F and R as two squares of side, centred in the two halves of width from x, with the
// timer button and its line below them.
void placeButtons(RemoteLayout& layout, double x, double width, double top, double side) {
  layout.focusButton = makeRect(x + width / 4 - side / 2, top, side, side);
  layout.releaseButton = makeRect(x + width * 3 / 4 - side / 2, top, side, side);
  layout.timerButton = makeRect(x + width / 2 - 60, top + side + 16, 120, 32);
  layout.timerLine = makeRect(x, top + side + 54, width, 20);
  layout.timerEndLine = makeRect(x, top + side + 76, width, 20);
}

// Two squares with margins m at the sides and 2m between them.
double buttonSide(double width) { return (width - 4 * std::trunc(width / 10)) / 2; }

// The lamps, the status label and the lines at the top, F and R below the centre.
RemoteLayout portrait(double w, double h) {
  RemoteLayout layout;
  placeLamps(layout, 0, w, kLampTop);
  // Of the two vertical rules only "top 64 below the centre" is kept; both cannot hold
  // for a square. On a screen nearly as wide as tall they shrink to end above the bottom.
  const double top = h / 2 + kButtonDrop;
  placeButtons(layout, 0, w, top, std::min(buttonSide(w), h - top - kBelowButtons));
  layout.receiverLine = makeRect(0, h / 4 + 74, w, 20);
  layout.statusLabel = makeRect(w / 2 - 60, h / 4 + 96, 120, 20);
  layout.commandsLine = makeRect(0, h / 4 + 118, w, 20);
  return layout;
}

// The lamps, the status label and the lines in the left half, F and R in the right one,
// each centred in the height below the bars.
RemoteLayout landscape(double w, double h) {
  RemoteLayout layout;
  const double half = w / 2;
  const double middle = kBars + (h - kBars) / 2;
  placeLamps(layout, 0, half, middle - 64);
  layout.receiverLine = makeRect(0, middle - 6, half, 20);
  layout.statusLabel = makeRect(half / 2 - 60, middle + 16, 120, 20);
  layout.commandsLine = makeRect(0, middle + 38, half, 20);
  // At least 24 points above and below them.
  const double side = std::min(buttonSide(half), h - kBars - kBelowButtons - 48);
  placeButtons(layout, half, half, middle - (side + kBelowButtons) / 2, side);
  return layout;
}

}  // namespace

RemoteLayout remoteLayout(const Size& screen) {
  RemoteLayout layout = screen.width > screen.height ? landscape(screen.width, screen.height)
                                                      : portrait(screen.width, screen.height);
  layout.background = makeRect(0, 0, screen.width, screen.height);
  layout.barButton = makeRect(30, 0, 22, 22);
  return layout;
}

}  // namespace kiro
