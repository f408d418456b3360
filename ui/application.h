#pragma once

#include <functional>

namespace kiro {

// The running application as the shell sees it: whether the display may dim and lock
// while the app is in front.
class Application {
 public:
  bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
  void setIdleTimerDisabled(bool disabled);

  // observer: told of each change of the idle-timer flag, so a platform can keep the
  // display awake; an empty function stops the telling.
  void setIdleTimerObserver(std::function<void(bool disabled)> observer) { observer_ = std::move(observer); }

 private:
  bool idleTimerDisabled_ = false;
  std::function<void(bool)> observer_;
};

}  // namespace kiro
