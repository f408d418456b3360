#include "platform/sound.h"

#include <ostream>

namespace kiro {

void SilentSound::play(Cue) {
  if (std::exchange(said_, true)) return;
  err_ << "kiro-remote: the countdown is silent: " << why_ << '\n';
}

}  // namespace kiro
