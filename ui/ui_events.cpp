#include "ui/ui_events.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace kiro {

struct UiEvents::Hub : std::enable_shared_from_this<Hub> {
  std::weak_ptr<NavigationController> navigation;
  AlertQueue* alerts = nullptr;
  std::map<std::uint64_t, std::shared_ptr<const UiListener>> listeners;
  std::uint64_t nextId = 1;
  // Screens stay watched off the stack: the remote screen keeps lighting lamps under About.
  std::vector<std::weak_ptr<Screen>> watched;

  // Copies first: a listener may subscribe or unsubscribe while it is told.
  std::vector<std::shared_ptr<const UiListener>> snapshot() const {
    std::vector<std::shared_ptr<const UiListener>> copy;
    for (const auto& [id, listener] : listeners) copy.push_back(listener);
    return copy;
  }

  void watchLoadedScreens() {
    auto stack = navigation.lock();
    if (!stack) return;
    std::erase_if(watched, [](const auto& screen) { return screen.expired(); });
    for (const auto& screen : stack->viewControllers()) {
      const bool known = std::any_of(watched.begin(), watched.end(),
                                     [&](const auto& seen) { return seen.lock() == screen; });
      if (known || !screen->isViewLoaded()) continue;
      watched.push_back(screen);
      screen->view()->setObserver([hub = weak_from_this()](View& view, ViewProperty property) {
        if (auto alive = hub.lock())
          for (const auto& listener : alive->snapshot())
            if (listener->viewChanged) listener->viewChanged(view, property);
      });
    }
  }
};

UiEvents::UiEvents(std::shared_ptr<NavigationController> navigation, AlertQueue& alerts)
    : hub_(std::make_shared<Hub>()) {
  hub_->navigation = navigation;
  hub_->alerts = &alerts;
  hub_->watchLoadedScreens();
  navigation->setObserver([hub = std::weak_ptr(hub_)](NavigationChange change, bool animated) {
    auto alive = hub.lock();
    if (!alive) return;
    alive->watchLoadedScreens();
    for (const auto& listener : alive->snapshot())
      if (listener->navigationChanged) listener->navigationChanged(change, animated);
  });
  alerts.setObserver([hub = std::weak_ptr(hub_)] {
    if (auto alive = hub.lock())
      for (const auto& listener : alive->snapshot())
        if (listener->alertsChanged) listener->alertsChanged();
  });
}

UiEvents::~UiEvents() {
  for (const auto& watched : hub_->watched)
    if (auto screen = watched.lock()) screen->view()->setObserver({});
  if (auto navigation = hub_->navigation.lock()) navigation->setObserver({});
  hub_->alerts->setObserver({});
}

UiSubscription UiEvents::subscribe(UiListener listener) {
  const std::uint64_t id = hub_->nextId++;
  hub_->listeners.emplace(id, std::make_shared<const UiListener>(std::move(listener)));
  return UiSubscription(hub_, [hub = hub_.get(), id] { hub->listeners.erase(id); });
}

}  // namespace kiro
