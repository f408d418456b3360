#pragma once

#include <memory>

#include "ui/geometry.h"
#include "ui/navigation_controller.h"

namespace kiro {

// The app's one window: a frame and the navigation controller that fills it.
class Window {
 public:
  explicit Window(const Rect& frame) : frame_(frame) {}

  const Rect& frame() const { return frame_; }

  const std::shared_ptr<NavigationController>& rootViewController() const { return root_; }
  void setRootViewController(std::shared_ptr<NavigationController> root) { root_ = std::move(root); }

  bool isKeyWindow() const { return key_; }
  void makeKeyAndVisible() { key_ = true; }

  // The first pass of drawing after launch: the front screen's view loads now.
  void display() {
    if (key_ && root_) root_->display();
  }

 private:
  Rect frame_;
  std::shared_ptr<NavigationController> root_;
  bool key_ = false;
};

}  // namespace kiro
