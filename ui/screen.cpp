#include "ui/screen.h"

#include "ui/main_screen.h"

namespace kiro {

namespace {

// views, placed for a superview of size from, placed for one of size to as a centred column.
void keepColumn(const std::vector<std::shared_ptr<View>>& views, const Size& from, const Size& to) {
  const double wider = to.width - from.width;
  const double taller = to.height - from.height;
  for (const auto& view : views) {
    Rect frame = view->frame();
    // Within a point: some views stop a point short of the edge.
    if (frame.minX() <= 0 && frame.maxX() >= from.width - 1) {
      frame.size.width += wider;
      // What it holds is laid out across the screen as the screen is.
      keepColumn(view->subviews(), from, to);
    } else {
      frame.origin.x += wider / 2;
    }
    if (frame.maxY() >= from.height - 1) frame.size.height += taller;
    view->setFrame(frame);
  }
}

}  // namespace

const std::shared_ptr<View>& Screen::view() {
  loadViewIfNeeded();
  return view_;
}

void Screen::loadViewIfNeeded() {
  if (view_) return;
  view_ = std::make_shared<View>(Rect{{0, 0}, mainScreen().bounds});
  viewDidLoad();
}

void Screen::setViewSize(const Size& size) {
  loadViewIfNeeded();
  if (view_->frame().size == size) return;
  viewWillTransitionToSize(size);
  view_->setFrame({{0, 0}, size});
}

void Screen::viewWillTransitionToSize(const Size& size) { keepColumn(view_->subviews(), view_->frame().size, size); }

}  // namespace kiro
