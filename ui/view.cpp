#include "ui/view.h"

namespace kiro {

View::~View() {
  for (const auto& subview : subviews_) subview->superview_ = nullptr;
}

bool View::addSubview(std::shared_ptr<View> view) {
  if (!view || view->superview_ != nullptr) return false;
  for (const View* ancestor = this; ancestor != nullptr; ancestor = ancestor->superview_)
    if (ancestor == view.get()) return false;
  view->superview_ = this;
  view->shareObserver(observer_);
  subviews_.push_back(std::move(view));
  changed(ViewProperty::subviews);
  return true;
}

void View::setObserver(ViewObserver observer) {
  shareObserver(observer ? std::make_shared<const ViewObserver>(std::move(observer)) : nullptr);
}

void View::shareObserver(const std::shared_ptr<const ViewObserver>& observer) {
  observer_ = observer;
  for (const auto& subview : subviews_) subview->shareObserver(observer);
}

void View::changed(ViewProperty property) {
  // Held here: the observer may replace itself while it is told.
  if (auto observer = observer_) (*observer)(*this, property);
}

}  // namespace kiro
