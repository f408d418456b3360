#pragma once

#include <array>

#include "ui/geometry.h"

namespace kiro {

// Where the remote screen's elements go, in the root view's coordinates.
struct RemoteLayout {
  Rect background;
  std::array<Rect, 3> lamps;  // green, blue, red, left to right
  Rect focusButton;
  Rect releaseButton;
  Rect receiverLine;  // above the status label: the remembered receiver's name
  Rect statusLabel;
  Rect commandsLine;  // below the status label: says when commands do not get through
  Rect timerButton;  // below F and R
  Rect timerLine;    // the timed sequence's countdown, below the timer button
  Rect timerEndLine;  // below it: when the sequence ends, or that shots are being missed
  Rect barButton;  // each bar button's own frame
};

// screen: the root view's size. Taller than wide (a phone), the lamps and the status go
// above F and R; wider (a desktop window), beside them.
RemoteLayout remoteLayout(const Size& screen);

}  // namespace kiro
