#pragma once

#include <utility>

namespace kiro {

// Reports a service used with none installed, then aborts: a programming error.
[[noreturn]] void noServiceInstalled(const char* what);

// A process-wide service reached by name (the platform, the display, the pictures, the
// alert queue), installed for the lifetime of a scope that restores the previous one after.
// Using a service with none installed aborts.
template <typename Service>
class Installed {
 public:
  // service: must outlive the scope; a temporary would not, so it is refused.
  explicit Installed(Service& service) : previous_(std::exchange(current_, &service)) {}
  Installed(Service&&) = delete;
  ~Installed() { current_ = previous_; }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

  // The innermost installed service. what: its name, for the message when there is none.
  static Service& current(const char* what) {
    if (current_ == nullptr) noServiceInstalled(what);
    return *current_;
  }

 private:
  static inline Service* current_ = nullptr;
  Service* previous_;
};

}  // namespace kiro
