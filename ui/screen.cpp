#include "ui/screen.h"

#include "ui/main_screen.h"

namespace kiro {

const std::shared_ptr<View>& Screen::view() {
  loadViewIfNeeded();
  return view_;
}

void Screen::loadViewIfNeeded() {
  if (view_) return;
  view_ = std::make_shared<View>(Rect{{0, 0}, mainScreen().bounds});
  viewDidLoad();
}

}  // namespace kiro
