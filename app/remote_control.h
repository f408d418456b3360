#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/app_delegate.h"
#include "base/lifetime.h"
#include "base/result.h"
#include "plan/timed_shooting.h"
#include "platform/run_loop.h"

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
// notice and the lamps are a hand's. A caller lets go only a hold it made, and every hold has
// an end: a shot its length, a press kHoldLimit after the last one, or its caller leaving the
// bus; a crashed remote must not hold a camera open. While a timed sequence runs or anyone
// else holds the shutter, whatever would change it is refused as busy.
class RemoteControl {
 public:
  static constexpr Millis kHoldLimit{60000};

  // delegate: the launched app; both must outlive it.
  RemoteControl(AppDelegate& delegate, RunLoop& runLoop);

  // Press, hold for hold (zero: a brisk press), let go. caller: who asked.
  ControlResult shoot(Millis hold, const std::string& caller);
  // Press until releaseShutter, or until caller leaves (told through callerLeft); pressed
  // again by the same caller, the hold limit starts anew.
  ControlResult pressShutter(const std::string& caller);
  // Lets go the hold caller made; refused when another holds the shutter.
  ControlResult releaseShutter(const std::string& caller);
  ControlResult setFocus(bool on);
  ControlResult startTimer(const ShootingPlan& plan);
  void stopTimer();
  // Takes the dark frames of a series that waits for them.
  ControlResult continueTimer();
  // The self-timer with the timer screen's last delay, never its start time.
  ControlResult selfTimer();
  // caller has left the bus: a shutter it pressed is let go.
  void callerLeft(const std::string& caller);

  RemoteState state() const;

 private:
  // A hold a caller made.
  struct Hold {
    std::uint64_t press;
    std::string caller;
    bool endsWithCaller;  // a press is let go when its caller leaves; a shot has its own end
  };

  cameraViewController& remote() const { return *delegate_.remote(); }
  // Refused while a sequence runs or the shutter is held by anyone but caller's own press.
  ControlResult refusedWhileBusy(const std::string& caller) const;
  bool holds(const std::string& caller) const;
  void press(const std::string& caller, bool endsWithCaller, Millis limit);
  void letGo();

  AppDelegate& delegate_;
  RunLoop& runLoop_;
  std::optional<Hold> hold_;
  std::shared_ptr<Timer> limit_;  // ends hold_
  Lifetime lifetime_;
};

}  // namespace kiro
