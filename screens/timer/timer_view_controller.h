#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/run_loop.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "screens/timer/held_stepper.h"
#include "screens/timer/timer_values.h"

namespace kiro {

// The "Timed shooting" screen: picks the mode and its values with stepper buttons that
// repeat while held, or typed values, and starts the sequence; says when it would end.
// The last values used are kept in the user defaults.
// Create it with std::make_shared: its buttons' targets hold it weakly.
class TimerViewController final : public Screen {
 public:
  // Starts plan, or says why it cannot.
  using Start = std::function<Result<>(const ShootingPlan& plan)>;
  // start: asked when Start is let go; back: when the back button is; presets: when Presets
  // is; night: when Night is.
  TimerViewController(Start start, std::function<void()> back, std::function<void(TimerViewController&)> presets,
                      std::function<void(TimerViewController&)> night);

  using Value = TimerValues::Value;
  static constexpr Value delay = TimerValues::delay, bulb = TimerValues::bulb, interval = TimerValues::interval,
                         shots = TimerValues::shots, rampTo = TimerValues::rampTo, bracket = TimerValues::bracket;
  const TimerValues& values() const { return values_; }
  // Turns the audible countdown on or off.
  const std::shared_ptr<Button>& soundButton() const { return soundButton_; }
  // Opens the presets list.
  const std::shared_ptr<Button>& presetsButton() const { return presetsButton_; }
  // Opens the night's values: the end, nights, keyframes and dark frames.
  const std::shared_ptr<Button>& nightButton() const { return nightButton_; }
  // When the plan would start and end.
  const std::shared_ptr<Label>& planLine() const { return planLine_; }
  void setMode(ShootingPlan::Mode mode);
  // Switches the first row between a delay and a start time of day.
  void toggleStartAt();
  void step(Value which, int steps);
  // A typed value; one that cannot be read shows why and changes nothing.
  void enter(Value which, const std::string& text);
  // A touch on a value: keys typed from now on make its new value, shown as they come;
  // Enter sets it, Escape leaves it as it was.
  void startTyping(Value which);
  bool takesTyping() const override { return typing_.has_value(); }
  void type(const Typing& key) override;
  // Takes a kept plan's values, as picked from the presets.
  void take(const ShootingPlan& plan);
  // The night screen's change to the night's values, shown here too.
  void changeNight(const std::function<void(NightValues&)>& change);
  // Saves the values and starts the plan; a plan that cannot run shows its reason.
  void startShooting();

 protected:
  void viewDidLoad() override;

 private:
  // A text button added to the view; - and + are read out as less and more.
  std::shared_ptr<Button> addButton(const Rect& frame, const Text& title);
  void addStepper(Value which, const Text& name, double y);
  // A held "less" or "more": steps again and again, faster the longer it is held.
  void hold(Value which, int sign);
  void show();

  Start start_;
  std::function<void()> back_;
  std::function<void(TimerViewController&)> presets_;
  std::function<void(TimerViewController&)> night_;
  TimerValues values_;
  std::optional<Value> typing_;
  std::string typed_;
  HeldStepper held_;
  std::array<std::shared_ptr<Button>, 3> modeButtons_;
  std::array<std::shared_ptr<Label>, TimerValues::all.size()> valueLabels_;
  std::array<std::shared_ptr<Label>, TimerValues::all.size()> nameLabels_;
  // Each row's value (a touch types one) and its less and more buttons, named by the row.
  std::array<std::array<std::shared_ptr<Button>, 3>, TimerValues::all.size()> rowButtons_;
  std::shared_ptr<Button> startAtButton_;
  std::shared_ptr<Label> planLine_;
  std::shared_ptr<Button> presetsButton_;
  std::shared_ptr<Button> nightButton_;
  std::shared_ptr<Button> soundButton_;
};

}  // namespace kiro
