#include "screens/timer/held_stepper.h"

#include "platform/platform.h"

namespace kiro {

namespace {
// A held button first waits, then repeats, then hurries.
constexpr Millis kFirstRepeat{400}, kRepeat{120}, kFastRepeat{40};
constexpr int kHurryAfter = 10;
}  // namespace

void HeldStepper::hold(Step step) {
  letGo();
  step_ = std::move(step);
  step_(0);
  repeatAfter(kFirstRepeat);
}

void HeldStepper::repeatAfter(Millis after) {
  repeat_ = platform().runLoop.scheduleTimer(after, false, [this] {
    step_(++repeats_);
    repeatAfter(repeats_ < kHurryAfter ? kRepeat : kFastRepeat);
  });
}

void HeldStepper::letGo() {
  if (repeat_) repeat_->invalidate();
  repeat_.reset();
  repeats_ = 0;
}

}  // namespace kiro
