#include "platform/sound.h"

#include <utility>

namespace kiro {

void SilentSound::play(Cue) {
  if (std::exchange(said_, true)) return;
  notices_.say("the countdown is silent: " + why_);
}

}  // namespace kiro
