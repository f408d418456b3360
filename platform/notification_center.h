#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/central.h"
#include "platform/subscription.h"

namespace kiro {

// The registry's live peripheral list: observers share it, they never get a copy.
using SharedPeripheralList = std::shared_ptr<PeripheralList>;
// Four "0"/"1" strings from one feedback byte.
using LampArray = std::vector<std::string>;

using UserInfoValue = std::variant<std::string, SharedPeripheralList, LampArray>;
using UserInfo = std::map<std::string, UserInfoValue>;

struct Notification {
  std::string name;
  UserInfo userInfo;

  // The value under key when it holds a T; nullopt when absent or of another type.
  template <typename T>
  std::optional<T> value(const std::string& key) const {
    auto found = userInfo.find(key);
    if (found == userInfo.end()) return std::nullopt;
    if (const T* held = std::get_if<T>(&found->second)) return *held;
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
  // Tokens hold this weakly, so a token that outlives its centre does nothing.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kiro
