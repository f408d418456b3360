#include "screens/remote/timer_field.h"

#include "platform/platform.h"

namespace kiro {

void stopTimer(std::shared_ptr<Timer>& field) {
  if (field) field->invalidate();
  field.reset();
}

void restartTimer(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire) {
  platform().runLoop.restartTimer(field, interval, std::move(fire));
}

}  // namespace kiro
