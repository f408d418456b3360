#include "ui/alert.h"

#include <utility>

namespace kiro {

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

}  // namespace kiro
