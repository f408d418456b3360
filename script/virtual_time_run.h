#pragma once

#include <istream>
#include <ostream>

#include "app/app_delegate.h"
#include "platform/sim/virtual_run_loop.h"
#include "script/script_session.h"

namespace kiro {

// Runs the script read from input on the virtual clock: time passes only when the script
// waits, and nothing moves while a line is read, so reading may block. When it ends (quit,
// its end, a bad line, or events that can no longer be written) the app ends as every
// ending does: a held shutter is let go with its release notice, the object store saved.
// The session's services must answer before they return: nothing else turns a real loop.
// Returns the exit status.
int runOnVirtualTime(ScriptSession& session, std::istream& input, const std::ostream& events, VirtualRunLoop& loop,
                     AppDelegate& delegate);

}  // namespace kiro
