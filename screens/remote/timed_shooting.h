#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/run_loop.h"

namespace kiro {

// What a timed sequence does: a self-timer (a delay, then one shot), a bulb exposure (the
// shutter held for an exact time) or an intervalometer (shots a fixed time apart).
struct ShootingPlan {
  enum class Mode { self, bulb, interval };
  Mode mode = Mode::self;
  std::optional<Millis> delay;  // before the first shot; required by the self-timer
  std::optional<Millis> bulb;   // how long each shot holds the shutter; required by bulb
  Millis interval{0};           // intervalometer: from one shot's start to the next one's
  std::optional<int> count;     // intervalometer: how many shots; none: until stopped
};

// How long a shot that is not a bulb exposure holds the shutter: a brisk press, long enough
// for the 25 ms pump to write it several times.
inline constexpr Millis kShortPress{200};
// The release notice that follows each shot, as after a hand's press.
inline constexpr Millis kReleaseNotice{1000};

// Why plan cannot run, in words for the user; nullopt when it can.
std::optional<std::string> planProblem(const ShootingPlan& plan);
// How long each shot of plan holds the shutter.
Millis shotLength(const ShootingPlan& plan);

struct ShootingStatus {
  enum class State { idle, planned, running, done, stopped };
  State state = State::idle;
  ShootingPlan::Mode mode = ShootingPlan::Mode::self;
  int shot = 0;                  // shots due so far, missed ones included
  std::optional<int> of;         // shots planned; none: until stopped
  int missed = 0;                // shots due while the receiver was not connected
  std::optional<Millis> nextAt;  // when the next shot is due, on the run loop's clock
  friend bool operator==(const ShootingStatus&, const ShootingStatus&) = default;
};

const char* modeName(ShootingPlan::Mode mode);
const char* stateName(ShootingStatus::State state);

// Shoots on a schedule through the remote screen's own shutter handlers. Every shot is
// planned from the start, so none drifts; one due while the receiver is away is counted
// as missed and the sequence goes on.
class TimedShooting {
 public:
  struct Shutter {
    std::function<void()> press;      // R's touch-down
    std::function<void()> release;    // R's touch-up inside
    std::function<bool()> connected;  // whether the receiver is connected now
  };
  // changed: called after each change of status().
  TimedShooting(Shutter shutter, std::function<void()> changed);
  ~TimedShooting();
  TimedShooting(const TimedShooting&) = delete;
  TimedShooting& operator=(const TimedShooting&) = delete;

  // Starts plan now, ending a sequence under way first; plan must have no planProblem.
  void start(const ShootingPlan& plan);
  // Lets a held shot go at once and drops the shots still to come.
  void stop();
  bool active() const;
  const ShootingStatus& status() const { return status_; }

 private:
  Millis plannedAt(int shot) const;
  void scheduleShot();
  void shoot();
  void letGo();
  void cancelTimers();

  Shutter shutter_;
  std::function<void()> changed_;
  ShootingPlan plan_;
  Millis start_{0};
  bool holding_ = false;
  ShootingStatus status_;
  std::shared_ptr<Timer> shotTimer_;
  std::shared_ptr<Timer> releaseTimer_;
};

}  // namespace kiro
