#pragma once

#include <functional>
#include <memory>

#include "platform/run_loop.h"

namespace kiro {

// A held "less" or "more" button: steps at once, then again and again while held, faster
// the longer it is.
class HeldStepper {
 public:
  // step: told how many repeats came before, so that it may stride further as they go on.
  using Step = std::function<void(int repeats)>;
  ~HeldStepper() { letGo(); }

  void hold(Step step);
  void letGo();

 private:
  void repeatAfter(Millis after);

  Step step_;
  std::shared_ptr<Timer> repeat_;
  int repeats_ = 0;
};

}  // namespace kiro
