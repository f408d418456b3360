#pragma once

#include <memory>
#include <utility>

namespace kiro {

// Lets what may run after its owner is gone (a delayed action, an observer token) tell
// whether the owner still lives. The owner keeps a Lifetime; the others keep a watch of it.
class Lifetime {
 public:
  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  // Expires when this ends, or at end().
  std::weak_ptr<void> watch() const { return token_; }
  // Ends it early: every watch expires now.
  void end() { token_.reset(); }

  // action, run only while this lives.
  template <typename Action>
  auto guard(Action action) const {
    return [watch = watch(), action = std::move(action)](auto&&... arguments) mutable {
      if (!watch.expired()) action(std::forward<decltype(arguments)>(arguments)...);
    };
  }

 private:
  std::shared_ptr<char> token_ = std::make_shared<char>();
};

}  // namespace kiro
