#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "ui/navigation_item.h"
#include "ui/view.h"

namespace kiro {

// The base of every screen controller: a root view built on first use and the item the
// navigation bar shows for it. Screens live in std::shared_ptr, so they can hand
// themselves out (weak_from_this) to timers, targets and the link manager.
class Screen : public std::enable_shared_from_this<Screen> {
 public:
  // name: how scripts call the screen, such as "remote".
  explicit Screen(std::string name) : name_(std::move(name)) {}
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  const std::string& name() const { return name_; }

  // The root view, filling the main screen; loads it first if it is not loaded yet.
  const std::shared_ptr<View>& view();
  bool isViewLoaded() const { return view_ != nullptr; }
  // Makes the root view and runs viewDidLoad, the first time only.
  void loadViewIfNeeded();
  // The window's size changed: the root view takes size, in points, and its subviews follow
  // it (viewWillTransitionToSize). Loads the view first; nothing changes at the size it has.
  void setViewSize(const Size& size);

  NavigationItem& navigationItem() { return navigationItem_; }

  // A key typed into a screen that takes typing: text, or the end, a step back or the
  // dropping of what was typed.
  struct Typing {
    enum class Kind { text, enter, erase, cancel } kind = Kind::text;
    std::string text;
  };
  // Whether the screen takes typed keys now (a value being typed); then every key goes to
  // type() rather than to the buttons.
  virtual bool takesTyping() const { return false; }
  virtual void type(const Typing&) {}

 protected:
  // action (a member function or a callable taking Self&), run on this screen only while it
  // lives: the timers, targets and observers it is handed to may outlive the screen.
  template <typename Self, typename Action>
  auto weakly(Action action) {
    return [self = weak_from_this(), action = std::move(action)](auto&&... arguments) {
      if (auto screen = self.lock())
        std::invoke(action, static_cast<Self&>(*screen), std::forward<decltype(arguments)>(arguments)...);
    };
  }

  // Runs once, right after the root view is made.
  virtual void viewDidLoad() {}
  // Places the root view's subviews for size, just before the root view takes it. By
  // default the screen, laid out for the root view's size now, is kept as a column in the
  // middle: a view across its whole width (a background, a list) spans the new width, one
  // that reaches its bottom reaches the new bottom, and every other keeps its size.
  virtual void viewWillTransitionToSize(const Size& size);

 private:
  std::string name_;
  std::shared_ptr<View> view_;
  NavigationItem navigationItem_;
};

}  // namespace kiro
