#include "platform/ui/alert.h"

#include <utility>

namespace kiro {

namespace {
AlertQueue* installed = nullptr;
}  // namespace

void AlertQueue::show(Alert alert) {
  alerts_.push_back(std::move(alert));
  changed();
}

void AlertQueue::dismiss() {
  if (alerts_.empty()) return;
  alerts_.pop_front();
  changed();
}

void AlertQueue::changed() {
  // A copy: the observer may replace itself while it is told.
  if (auto observer = observer_) observer();
}

AlertQueue& alertQueue() {
  static AlertQueue fallback;
  return installed ? *installed : fallback;
}

AlertQueueScope::AlertQueueScope() : previous_(installed) { installed = &queue_; }

AlertQueueScope::~AlertQueueScope() { installed = previous_; }

}  // namespace kiro
