#pragma once

#include <optional>

#include "base/uuid.h"

namespace kiro {

// Writes with response to one characteristic. At most one is in flight; while it is, the
// newest frame waits in a single slot and replaces any older one, so a slow link never
// builds a backlog and the peer gets the latest frame as soon as the link allows. Each
// link has its own: a lost link takes its coalescer with it.
class WriteCoalescer {
 public:
  // value: the frame to write. Returns it when it may go now, nullopt when it waits.
  std::optional<Bytes> submit(Bytes value);
  // The write in flight was answered. Returns the waiting frame, now in flight, if any.
  std::optional<Bytes> complete();

  // Frames in flight or waiting: 0, 1 or 2.
  int pending() const { return (inFlight_ ? 1 : 0) + (waiting_ ? 1 : 0); }

 private:
  bool inFlight_ = false;
  std::optional<Bytes> waiting_;
};

}  // namespace kiro
