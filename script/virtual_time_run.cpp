#include "script/virtual_time_run.h"

#include "app/shutdown.h"
#include "platform/platform.h"

namespace kiro {

namespace {

int lastStep(ScriptSession& session, std::istream& input, const std::ostream& events, VirtualRunLoop& loop) {
  for (;;) {
    const ScriptStep step = session.next(input);
    if (step.kind != ScriptStep::Kind::wait) return step.exitStatus;
    // Its reader gone, the run ends as at the end of its input.
    if (!events) {
      platform().notices.say("the events cannot be written, ending");
      return session.inputEnded().exitStatus;
    }
    loop.advance(step.duration);
  }
}

}  // namespace

int runOnVirtualTime(ScriptSession& session, std::istream& input, const std::ostream& events, VirtualRunLoop& loop,
                     AppDelegate& delegate) {
  const int status = lastStep(session, input, events, loop);
  // Nothing real is linked on the virtual clock, so no link is closed.
  if (delegate.remote()->letGo(Text("the app is ending"))) loop.advance(Shutdown::kNoticeTime);
  delegate.applicationWillTerminate();
  return status;
}

}  // namespace kiro
