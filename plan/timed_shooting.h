#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/text.h"
#include "plan/schedule.h"
#include "platform/run_loop.h"

namespace kiro {

struct ShootingStatus {
  enum class State { idle, planned, running, waiting, done, stopped };
  State state = State::idle;
  ShootingPlan::Mode mode = ShootingPlan::Mode::self;
  int shot = 0;                  // shots due so far, missed ones included
  std::optional<int> of;         // shots planned; none: until stopped
  int missed = 0;                // shots due while the receiver was not connected
  int cut = 0;                   // shots whose link dropped while they held: shorter than planned
  int dark = 0;                  // of them, the dark frames the series waits for once its own shots are done
  std::optional<Millis> nextAt;  // when the next shot is due, on the run loop's clock
  std::optional<Millis> bulb;    // the last shot's length, when the plan ramps or brackets
  bool timeOfDay = false;        // the plan starts at a time of day
  Millis firstAt{0};             // when the first shot is due, on the run loop's clock
  std::optional<Millis> endsAt;  // when the last release notice ends; none: until stopped
  Text why;                      // why it stopped, when no person stopped it
  friend bool operator==(const ShootingStatus&, const ShootingStatus&) = default;
};

const char* stateName(ShootingStatus::State state);

// How one shot of a series went, told as it ends: taken (why empty), or why not all of it.
struct ShotEnd {
  int shot = 0;          // from 1
  Millis plannedAt{0};   // on the run loop's clock
  Millis length{0};      // as planned
  std::string missed;    // empty: taken as planned; else why not, in English as the log keeps it
};

// Shoots on a schedule through the shutter it is given, the remote screen's own handlers.
// Every shot is planned from the start, so none drifts; one due while the receiver is away
// is counted as missed and the sequence goes on.
class TimedShooting {
 public:
  struct Shutter {
    std::function<void()> press;      // R's touch-down
    std::function<void()> release;    // R's touch-up inside
    std::function<bool()> connected;  // whether the receiver is connected now
  };
  // changed: called after each change of status(); ended: as each shot ends, before that change.
  TimedShooting(Shutter shutter, std::function<void()> changed, std::function<void(const ShotEnd&)> ended = {});
  ~TimedShooting();
  TimedShooting(const TimedShooting&) = delete;
  TimedShooting& operator=(const TimedShooting&) = delete;

  // Starts schedule, ending a sequence under way first.
  void start(Schedule schedule);
  // Drops the shots still to come. A person's stop (why empty) lets a bulb under way end as
  // planned, unless it is the second; anything else (why: said with the stopped status)
  // lets it go at once.
  void stop(Text why = {});
  bool active() const;
  // Takes the dark frames a series waits for (state waiting), from now; false when none waits.
  bool continueSeries();
  // The receiver's link is up or down now: a shot held while it is down is not all it should be.
  void linkChanged(bool connected);
  const ShootingStatus& status() const { return status_; }
  // The plan last started.
  const ShootingPlan& plan() const { return schedule_.plan(); }

 private:
  // Drops the shots to come and lets a held one go at once.
  void end(Text why);
  // The series' own shots, before its dark frames; none: until stopped.
  std::optional<int> ownShots() const;
  Millis plannedAt(int shot) const;
  Exposure exposure(int shot) const;
  // The series' own shots are done: wait for the dark frames, or it is done.
  void finish();
  void scheduleShot();
  void shoot();
  void letGo();
  void cancelTimers();
  // Tells how the shot taken last went.
  void report(std::string missed);

  Shutter shutter_;
  std::function<void()> changed_;
  std::function<void(const ShotEnd&)> ended_;
  Schedule schedule_;
  bool holding_ = false;
  bool stopping_ = false;  // asked to stop while a shot holds: it ends as planned
  bool shotCut_ = false;   // the link dropped during the shot held now
  std::optional<Millis> darkFrom_;  // when the dark frames were asked for
  ShootingStatus status_;
  std::shared_ptr<Timer> shotTimer_;
  std::shared_ptr<Timer> releaseTimer_;
};

}  // namespace kiro
