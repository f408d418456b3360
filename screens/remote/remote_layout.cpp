#include "screens/remote/remote_layout.h"

#include <cmath>

namespace kiro {

namespace {
constexpr double kLampSide = 40;
constexpr double kLampTop = 128;
constexpr double kButtonDrop = 64;  // button tops below the vertical centre
}  // namespace

RemoteLayout remoteLayout(const Size& screen) {
  const double w = screen.width;
  const double h = screen.height;
  RemoteLayout layout;
  layout.background = makeRect(0, 0, w, h);

  // Three lamps and four gaps of a whole number of points. The up to 3 points the
  // truncated gap leaves over are split between the two outer gaps, so the row stays
  // centred and the inner gaps stay exact.
  const double gap = std::trunc((w - 3 * kLampSide) / 4);
  const double leftover = w - 3 * kLampSide - 4 * gap;
  double x = gap + leftover / 2;
  for (auto& lamp : layout.lamps) {
    lamp = makeRect(x, kLampTop, kLampSide, kLampSide);
    x += kLampSide + gap;
  }

  // Two squares: margins m at the sides and 2m between them. Of the two vertical rules
  // only "top 64 below the centre" is kept; both cannot hold for a square.
  const double margin = std::trunc(w / 10);
  const double side = (w - 4 * margin) / 2;
  const double top = h / 2 + kButtonDrop;
  layout.focusButton = makeRect(margin, top, side, side);
  layout.releaseButton = makeRect(w - margin - side, top, side, side);

  layout.timerButton = makeRect(w / 2 - 60, top + side + 16, 120, 32);
  layout.timerLine = makeRect(0, top + side + 54, w, 20);
  layout.timerEndLine = makeRect(0, top + side + 76, w, 20);
  layout.receiverLine = makeRect(0, h / 4 + 74, w, 20);
  layout.statusLabel = makeRect(w / 2 - 60, h / 4 + 96, 120, 20);
  layout.commandsLine = makeRect(0, h / 4 + 118, w, 20);
  layout.barButton = makeRect(30, 0, 22, 22);
  return layout;
}

}  // namespace kiro
