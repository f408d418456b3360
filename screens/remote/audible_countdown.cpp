#include "screens/remote/audible_countdown.h"

#include "platform/platform.h"
#include "platform/sound.h"

namespace kiro {

namespace {

const char* const kKey = "timerSound";

}  // namespace

bool AudibleCountdown::on() { return platform().defaults.string(kKey) == "on"; }

void AudibleCountdown::setOn(bool on) { platform().defaults.set(kKey, std::string(on ? "on" : "off")); }

void AudibleCountdown::follow(const ShootingStatus& status) {
  const bool active = status.state == ShootingStatus::State::planned || status.state == ShootingStatus::State::running;
  // A shot has just started: its tone, unless it was missed.
  const bool shot = status.shot > shots_ && status.missed == shotsMissed_;
  shots_ = status.shot;
  shotsMissed_ = status.missed;
  if (!on()) return cancel();
  if (shot) sound().play(Sound::Cue::shot);
  if (!active || !status.nextAt) return cancel();
  if (ticksFor_ == status.nextAt) return;
  cancel();
  ticksFor_ = status.nextAt;
  const Millis now = platform().runLoop.now();
  for (std::size_t i = 0; i < ticks_.size(); ++i) {
    const Millis at = *status.nextAt - Millis{1000 * static_cast<int>(ticks_.size() - i)};
    if (at <= now) continue;
    ticks_[i] = platform().runLoop.scheduleTimer(at - now, false, [] { sound().play(Sound::Cue::tick); });
  }
}

void AudibleCountdown::cancel() {
  ticksFor_.reset();
  for (auto& tick : ticks_) {
    if (tick) tick->invalidate();
    tick.reset();
  }
}

}  // namespace kiro
