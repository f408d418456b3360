#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/screen.h"

namespace kiro {

// How the stack changed, so a renderer can slide screens in and out.
enum class NavigationChange { push, pop, replace };

// A stack of screens, bottom first; the top one is in front. A screen's view loads when it
// is first shown on top, and only then: a screen that never reaches the top never loads.
class NavigationController {
 public:
  using Observer = std::function<void(NavigationChange change, bool animated)>;

  // root: the bottom screen.
  explicit NavigationController(std::shared_ptr<Screen> root);

  const std::vector<std::shared_ptr<Screen>>& viewControllers() const { return stack_; }
  const std::shared_ptr<Screen>& topViewController() const { return stack_.back(); }
  // The window shows the stack: the front screen's view loads, at the window's size.
  void display();
  // The window's size in points: the front screen lays out at it now, every other as it
  // comes to the front. Until it is set, screens keep the size they were built at.
  void setViewSize(const Size& size);

  // screen: put on top; null is ignored.
  void pushViewController(std::shared_ptr<Screen> screen, bool animated);
  // Removes the top screen and returns it; the bottom screen is never popped (null then).
  std::shared_ptr<Screen> popViewControllerAnimated(bool animated);
  // screens: the new stack, bottom first; an empty list or one holding null is ignored.
  void setViewControllers(std::vector<std::shared_ptr<Screen>> screens, bool animated);
  // Pops every screen above screen; nothing happens when screen is not on the stack.
  void popToViewController(const std::shared_ptr<Screen>& screen, bool animated);

  // observer: told after each change; an empty function stops the telling.
  void setObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  void changed(NavigationChange change, bool animated);

  std::vector<std::shared_ptr<Screen>> stack_;
  std::optional<Size> viewSize_;
  Observer observer_;
};

}  // namespace kiro
