#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "screens/remote/timed_shooting.h"

namespace kiro {

// The "Timed shooting" screen: picks the mode and its values with stepper buttons and
// starts the sequence. The last values used are kept in the user defaults.
// Create it with std::make_shared: its buttons' targets hold it weakly.
class TimerViewController final : public Screen {
 public:
  // Starts plan, or says why it cannot.
  using Start = std::function<std::optional<std::string>(const ShootingPlan& plan)>;
  // start: asked when Start is let go; back: when the back button is.
  TimerViewController(Start start, std::function<void()> back);

  // The values shown: seconds for the delay, bulb and interval (0: none), and shots (0: until stopped).
  enum Value { delay, bulb, interval, shots };
  ShootingPlan::Mode mode() const { return mode_; }
  void setMode(ShootingPlan::Mode mode);
  int value(Value which) const { return values_[which]; }
  // Adds step to a value, kept within its range.
  void step(Value which, int step);
  // The plan the values make.
  ShootingPlan plan() const;
  // Saves the values and starts the plan; a plan that cannot run shows its reason.
  void startShooting();

 protected:
  void viewDidLoad() override;

 private:
  std::shared_ptr<Button> textButton(const Rect& frame, const std::string& title);
  void addStepper(Value which, const std::string& name, double y);
  void show();

  Start start_;
  std::function<void()> back_;
  ShootingPlan::Mode mode_ = ShootingPlan::Mode::self;
  std::array<int, 4> values_{10, 1, 5, 10};
  std::array<std::shared_ptr<Button>, 3> modeButtons_;
  std::array<std::shared_ptr<Label>, 4> valueLabels_;
  std::array<std::shared_ptr<Label>, 4> nameLabels_;
};

}  // namespace kiro
