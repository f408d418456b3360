#pragma once

#include <functional>
#include <memory>

#include "ui/alert.h"
#include "ui/navigation_controller.h"
#include "base/subscription.h"
#include "ui/view.h"

namespace kiro {

// What a watcher of the screens is told; any part may be left empty.
struct UiListener {
  // A view changed on a screen that has been on the stack, in front or not.
  ViewObserver viewChanged;
  // The stack changed; the new front screen's view has loaded.
  NavigationController::Observer navigationChanged;
  // An alert was shown or closed.
  std::function<void()> alertsChanged;
};

// Keeps one listener subscribed; destroying it unsubscribes.
using UiSubscription = Subscription;

// The one observer of the ui model: views, stack and alerts each take a single observer,
// so this takes them all and tells every subscriber (the script session, the window).
class UiEvents {
 public:
  // navigation: the window's stack; alerts: the queue the screens show alerts on.
  UiEvents(std::shared_ptr<NavigationController> navigation, AlertQueue& alerts);
  ~UiEvents();
  UiEvents(const UiEvents&) = delete;
  UiEvents& operator=(const UiEvents&) = delete;

  // listener: told of every change from now on, after those subscribed before it.
  [[nodiscard]] UiSubscription subscribe(UiListener listener);

 private:
  struct Hub;
  std::shared_ptr<Hub> hub_;
};

}  // namespace kiro
