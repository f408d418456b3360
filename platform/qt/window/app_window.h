#pragma once

#include "platform/qt/window/phone_window.h"
#include "ui/alert.h"
#include "ui/ui_events.h"
#include "ui/window.h"

namespace kiro {

// The app's window on the desktop: the phone window showing the model's window, drawn again
// as the screens change, titled with the receivers it drives, and shown.
class AppWindow {
 public:
  // All must outlive it. simulated: the receivers are simulated, which the title says.
  AppWindow(const Window& model, AlertQueue& alerts, UiEvents& ui, bool simulated);

  PhoneWindow& phone() { return window_; }

 private:
  PhoneWindow window_;
  UiSubscription drawing_;
};

}  // namespace kiro
