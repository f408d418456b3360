#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/ui/alert.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/view.h"

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

class UiEvents;

// Keeps one listener subscribed; destroying it unsubscribes.
class UiSubscription {
 public:
  UiSubscription() = default;
  UiSubscription(UiSubscription&& other) noexcept;
  UiSubscription& operator=(UiSubscription&& other) noexcept;
  UiSubscription(const UiSubscription&) = delete;
  UiSubscription& operator=(const UiSubscription&) = delete;
  ~UiSubscription();

 private:
  friend class UiEvents;
  struct Hub;
  UiSubscription(std::weak_ptr<Hub> hub, std::uint64_t id) : hub_(std::move(hub)), id_(id) {}
  void reset();

  std::weak_ptr<Hub> hub_;
  std::uint64_t id_ = 0;
};

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
  std::shared_ptr<UiSubscription::Hub> hub_;
};

}  // namespace kiro
