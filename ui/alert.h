#pragma once

#include <deque>
#include <functional>
#include <string>

#include "base/text.h"
#include "platform/installed.h"

namespace kiro {

// A message with one button, which only closes it.
struct Alert {
  Text title;
  Text message;
  Text buttonTitle;
  friend bool operator==(const Alert&, const Alert&) = default;
};

// The alerts on screen and waiting: one shows at a time, the others follow it in the
// order they were shown.
class AlertQueue {
 public:
  // alert: shows at once when no other does, else after those shown before it.
  void show(Alert alert);
  // The one on screen; null when none.
  const Alert* visible() const { return alerts_.empty() ? nullptr : &alerts_.front(); }
  // The one on screen first, then those waiting.
  const std::deque<Alert>& alerts() const { return alerts_; }
  // The visible alert's button was touched: it closes and the next one shows.
  // Nothing happens when none shows.
  void dismiss();

  // observer: told after each change of the queue; an empty function stops the telling.
  void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  void changed();

  std::deque<Alert> alerts_;
  std::function<void()> observer_;
};

// Installs a queue for its own lifetime, restoring the previous one after.
using AlertQueueScope = Installed<AlertQueue>;

// The installed queue.
inline AlertQueue& alertQueue() { return AlertQueueScope::current("alert queue"); }

}  // namespace kiro
