#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/lifetime.h"
#include "platform/subscription.h"

namespace kiro {

// A value of any copyable type; text is always held as std::string.
class UserInfoValue {
 public:
  template <typename T>
  UserInfoValue(T value) : value_(std::move(value)) {}
  UserInfoValue(const char* text) : value_(std::string(text)) {}

  // The value when it is a T; null otherwise.
  template <typename T>
  const T* get() const {
    return std::any_cast<T>(&value_);
  }

 private:
  std::any value_;
};

using UserInfo = std::map<std::string, UserInfoValue>;

struct Notification {
  std::string name;
  UserInfo userInfo;

  // The value under key when it holds a T; nullopt when absent or of another type.
  template <typename T>
  std::optional<T> value(const std::string& key) const {
    auto found = userInfo.find(key);
    if (found == userInfo.end()) return std::nullopt;
    if (const T* held = found->second.get<T>()) return *held;
    return std::nullopt;
  }
};

// Keeps one observer registered; destroying it (or the object that owns it) unregisters.
using ObserverToken = Subscription;

// Named notifications delivered synchronously to every observer of the name before post
// returns. Handlers may add or remove observers and post again.
class NotificationCenter {
 public:
  using Handler = std::function<void(const Notification&)>;

  NotificationCenter() = default;
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  // name: the notification to observe; handler: called for each post of it.
  [[nodiscard]] ObserverToken addObserver(std::string name, Handler handler);

  void post(const Notification& notification);
  void post(std::string name, UserInfo userInfo = {});

 private:
  struct Observer {
    std::uint64_t id;
    std::string name;
    std::shared_ptr<Handler> handler;
  };
  void remove(std::uint64_t id);

  std::vector<Observer> observers_;
  std::uint64_t nextId_ = 1;
  // Tokens watch it, so a token that outlives its centre does nothing.
  Lifetime lifetime_;
};

}  // namespace kiro
