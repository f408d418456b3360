#include "ui/application.h"

namespace kiro {

void Application::setIdleTimerDisabled(bool disabled) {
  if (idleTimerDisabled_ == disabled) return;
  idleTimerDisabled_ = disabled;
  if (observer_) observer_(disabled);
}

}  // namespace kiro
