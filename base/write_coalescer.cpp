#include "base/write_coalescer.h"

#include <utility>

namespace kiro {

std::optional<Bytes> WriteCoalescer::submit(Bytes value) {
  if (inFlight_) {
    waiting_ = std::move(value);
    return std::nullopt;
  }
  inFlight_ = true;
  return value;
}

std::optional<Bytes> WriteCoalescer::complete() {
  std::optional<Bytes> next = std::exchange(waiting_, std::nullopt);
  inFlight_ = next.has_value();
  return next;
}

}  // namespace kiro
