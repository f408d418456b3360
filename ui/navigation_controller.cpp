#include "ui/navigation_controller.h"

#include <algorithm>

namespace kiro {

NavigationController::NavigationController(std::shared_ptr<Screen> root) { stack_.push_back(std::move(root)); }

void NavigationController::display() {
  if (viewSize_) stack_.back()->setViewSize(*viewSize_);
  else stack_.back()->loadViewIfNeeded();
}

void NavigationController::setViewSize(const Size& size) {
  viewSize_ = size;
  display();
}

void NavigationController::pushViewController(std::shared_ptr<Screen> screen, bool animated) {
  if (!screen) return;
  stack_.push_back(std::move(screen));
  changed(NavigationChange::push, animated);
}

std::shared_ptr<Screen> NavigationController::popViewControllerAnimated(bool animated) {
  if (stack_.size() < 2) return nullptr;
  auto popped = std::move(stack_.back());
  stack_.pop_back();
  changed(NavigationChange::pop, animated);
  return popped;
}

void NavigationController::setViewControllers(std::vector<std::shared_ptr<Screen>> screens, bool animated) {
  if (screens.empty() || std::find(screens.begin(), screens.end(), nullptr) != screens.end()) return;
  stack_ = std::move(screens);
  changed(NavigationChange::replace, animated);
}

void NavigationController::popToViewController(const std::shared_ptr<Screen>& screen, bool animated) {
  auto found = std::find(stack_.begin(), stack_.end(), screen);
  if (found == stack_.end() || found + 1 == stack_.end()) return;
  stack_.erase(found + 1, stack_.end());
  changed(NavigationChange::pop, animated);
}

void NavigationController::changed(NavigationChange change, bool animated) {
  display();
  if (observer_) observer_(change, animated);
}

}  // namespace kiro
