#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace kiro {

// Keeps one registration with a registry (an observer, a listener) alive; destroying it, or
// reset(), cancels the registration. It may outlive its registry: then there is nothing
// left to cancel.
class Subscription {
 public:
  Subscription() = default;
  // registry: watched weakly; cancel: run once to unregister, only while registry lives.
  Subscription(std::weak_ptr<void> registry, std::function<void()> cancel)
      : registry_(std::move(registry)), cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept = default;
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      registry_ = std::move(other.registry_);
      cancel_ = std::move(other.cancel_);
      other.cancel_ = nullptr;
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { reset(); }

  void reset() {
    auto cancel = std::exchange(cancel_, nullptr);
    if (cancel && !registry_.expired()) cancel();
    registry_.reset();
  }

 private:
  std::weak_ptr<void> registry_;
  std::function<void()> cancel_;
};

}  // namespace kiro
