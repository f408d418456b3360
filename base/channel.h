#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/lifetime.h"
#include "base/subscription.h"

namespace kiro {

// One kind of announcement, delivered synchronously to every listener in the order they
// started listening, before send returns. A listener may start or stop listeners and send
// again while it is called: one stopped meanwhile is skipped, one started waits for the
// next send.
template <typename... Args>
class Channel {
 public:
  using Handler = std::function<void(Args...)>;

  Channel() = default;
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  // Listens until the subscription ends; a subscription that outlives the channel does nothing.
  [[nodiscard]] Subscription listen(Handler handler) {
    const auto id = nextId_++;
    listeners_.push_back({id, std::make_shared<Handler>(std::move(handler))});
    return Subscription(lifetime_.watch(),
                        [this, id] { std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; }); });
  }

  // Allocates nothing: a held frame sends several times a tick. Ids only grow, so the
  // listeners stay sorted by id and the next one is found again after each call.
  void send(Args... args) const {
    const std::uint64_t last = nextId_ - 1;
    std::uint64_t delivered = 0;
    for (;;) {
      const auto next = std::upper_bound(listeners_.begin(), listeners_.end(), delivered,
                                         [](std::uint64_t id, const Listener& l) { return id < l.id; });
      if (next == listeners_.end() || next->id > last) return;
      delivered = next->id;
      const auto handler = next->handler;  // alive though it stops listening while it runs
      (*handler)(args...);
    }
  }

 private:
  struct Listener {
    std::uint64_t id;
    std::shared_ptr<Handler> handler;
  };

  std::vector<Listener> listeners_;
  std::uint64_t nextId_ = 1;
  // Subscriptions watch it, so one that outlives the channel does nothing.
  Lifetime lifetime_;
};

}  // namespace kiro
