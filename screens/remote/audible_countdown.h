#pragma once

#include <array>
#include <memory>
#include <optional>

#include "plan/timed_shooting.h"
#include "platform/run_loop.h"

namespace kiro {

// The timed sequence heard: a tick each second of the last three before a shot, and a
// tone as each shot starts. Only while the user has it on (the "timerSound" default).
class AudibleCountdown {
 public:
  AudibleCountdown() = default;
  ~AudibleCountdown() { cancel(); }
  AudibleCountdown(const AudibleCountdown&) = delete;
  AudibleCountdown& operator=(const AudibleCountdown&) = delete;

  // Whether the user has it on; off until they do, and remembered.
  static bool on();
  static void setOn(bool on);

  // status: the sequence's, after each change.
  void follow(const ShootingStatus& status);

 private:
  void cancel();

  std::optional<Millis> ticksFor_;  // the shot whose ticks are planned
  int shots_ = 0;  // the status's shots and missed ones when last followed
  int shotsMissed_ = 0;
  std::array<std::shared_ptr<Timer>, 3> ticks_;
};

}  // namespace kiro
