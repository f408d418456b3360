#pragma once

#include <functional>
#include <memory>

#include "platform/run_loop.h"

namespace kiro {

// The remote screen keeps each timer in a field, invalidated before it is replaced, so at
// most one of each runs.

// Invalidates what field holds and empties it.
void stopTimer(std::shared_ptr<Timer>& field);
// Invalidates what field holds, then stores there a new one-shot timer on the installed run loop.
void restartTimer(std::shared_ptr<Timer>& field, Millis interval, std::function<void()> fire);

}  // namespace kiro
