#pragma once

#include <memory>
#include "base/text.h"

#include "ui/button.h"
#include "ui/font.h"
#include "ui/geometry.h"
#include "ui/view.h"

namespace kiro {

// What the timer screens share: the background filling view, a back button for the bar,
// and buttons drawn as a plain box with a title, for want of pictures.
void addBackground(View& view);
std::shared_ptr<Button> backButton();
std::shared_ptr<Button> textButton(const Rect& frame, const Text& title, const Font& font);

}  // namespace kiro
