#include "platform/notification_center.h"

#include <algorithm>

namespace kiro {

ObserverToken NotificationCenter::addObserver(std::string name, Handler handler) {
  const auto id = nextId_++;
  observers_.push_back({id, std::move(name), std::make_shared<Handler>(std::move(handler))});
  return ObserverToken(lifetime_.watch(), [this, id] { remove(id); });
}

void NotificationCenter::remove(std::uint64_t id) {
  std::erase_if(observers_, [id](const Observer& o) { return o.id == id; });
}

void NotificationCenter::post(const Notification& notification) {
  // Take the ids first: handlers may register or unregister while we deliver. An observer
  // removed during delivery is skipped; one added during delivery waits for the next post.
  std::vector<std::uint64_t> ids;
  for (const auto& o : observers_)
    if (o.name == notification.name) ids.push_back(o.id);
  for (auto id : ids) {
    auto found = std::find_if(observers_.begin(), observers_.end(),
                              [id](const Observer& o) { return o.id == id; });
    if (found == observers_.end()) continue;
    auto handler = found->handler;  // keeps the handler alive if it unregisters itself
    (*handler)(notification);
  }
}

void NotificationCenter::post(std::string name, UserInfo userInfo) {
  post(Notification{std::move(name), std::move(userInfo)});
}

}  // namespace kiro
