#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/app_delegate.h"
#include "base/lifetime.h"
#include "base/result.h"
#include "platform/run_loop.h"
#include "screens/remote/timed_shooting.h"

namespace kiro {

// Why a remote caller's request was refused; nothing changed.
struct ControlRefusal {
  enum class Kind { notConnected, invalidPlan, busy };
  Kind kind;
  std::string message;
};
// A remote caller's request done, or refused.
using ControlResult = Result<void, ControlRefusal>;

// What a remote caller sees of the remote screen.
struct RemoteState {
  int connection = 0;  // 0 disconnected, 1 connecting, 2 connected, as the label reads
  std::string receiver;  // the remembered receiver's name; empty if none
  bool focus = false;
  bool shutter = false;
  std::map<std::string, bool> lamps;  // green, red, blue
  ShootingStatus timer;
  friend bool operator==(const RemoteState&, const RemoteState&) = default;
};

// Whether a shot is under way, so that the phone must stay awake: R held or its release
// notice going out, F latched, or a timed sequence planned or running.
bool shotUnderWay(const cameraViewController& remote);

// Lets another program drive the remote screen as a hand does: every verb goes through F's
// and R's own handlers or the timer screen's start and stop, so the frames, the release
// notice and the lamps are a hand's. A shutter pressed by a caller is let go when that
// caller goes away, and at most kHoldLimit after its last press: a crashed remote must not
// hold a camera open.
class RemoteControl {
 public:
  static constexpr Millis kHoldLimit{60000};

  // delegate: the launched app; both must outlive it.
  RemoteControl(AppDelegate& delegate, RunLoop& runLoop);

  // Press, hold for hold (zero: a brisk press), let go.
  ControlResult shoot(Millis hold);
  // caller: who pressed, told back through callerLeft.
  ControlResult pressShutter(const std::string& caller);
  void releaseShutter();
  ControlResult setFocus(bool on);
  ControlResult startTimer(const ShootingPlan& plan);
  void stopTimer();
  // The self-timer with the timer screen's last delay (or start time).
  ControlResult selfTimer();
  // caller has left the bus: a shutter it holds is let go.
  void callerLeft(const std::string& caller);

  RemoteState state() const;

 private:
  cameraViewController& remote() const { return *delegate_.remote(); }
  ControlResult refusedWhileBusy() const;
  void press();
  void letGoAfter(Millis hold);

  AppDelegate& delegate_;
  RunLoop& runLoop_;
  std::optional<std::string> holder_;  // the caller whose press holds the shutter
  int press_ = 0;  // the how-manieth press; a stale let-go compares unequal
  Lifetime lifetime_;
};

}  // namespace kiro
