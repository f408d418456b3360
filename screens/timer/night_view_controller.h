#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "screens/timer/held_stepper.h"
#include "screens/timer/timer_view_controller.h"

namespace kiro {

// The "Night" screen, reached from the timer screen: an interval plan's end, nights, dark
// frames and keyframes, stepped and typed as the timer screen's values are, and a chart of
// the plan over its nights that follows every change, with a line saying when it starts,
// how many shots it takes and when it ends.
// Create it with std::make_shared: its buttons' targets hold it weakly.
class NightViewController final : public Screen {
 public:
  using Value = NightValues::Value;
  // timer: the screen whose values these are; back: when the back button is let go.
  NightViewController(std::shared_ptr<TimerViewController> timer, std::function<void()> back);

  const NightValues& values() const { return timer_->values().night(); }
  const std::shared_ptr<ImageView>& chart() const { return chart_; }
  const std::shared_ptr<Label>& planLine() const { return planLine_; }
  void step(Value which, int steps);
  // A typed value; one that cannot be read shows why and changes nothing.
  void enter(Value which, const std::string& text);
  // Turns the end on or off, keeping its time.
  void toggleEnds();
  void startTyping(Value which);
  // Where the sun events are, typed as "LAT LON" or "off"; one that cannot be read shows why
  // and the kept one stays.
  void enterLocation(const std::string& text);
  void startTypingLocation();
  bool takesTyping() const override { return typing_.has_value() || typingLocation_; }
  void type(const Typing& key) override;

 protected:
  void viewDidLoad() override;

 private:
  void addRow(Value which, const Text& name, double y);
  void addLocationRow(double y);
  void change(const std::function<void(NightValues&)>& change);
  void show();

  std::shared_ptr<TimerViewController> timer_;
  std::function<void()> back_;
  std::optional<Value> typing_;
  bool typingLocation_ = false;
  std::string typed_;
  HeldStepper held_;
  std::array<std::shared_ptr<Label>, NightValues::all.size()> names_;
  std::array<std::shared_ptr<Label>, NightValues::all.size()> valueLabels_;
  // Each row's value (a touch types one) and its less and more buttons.
  std::array<std::array<std::shared_ptr<Button>, 3>, NightValues::all.size()> rowButtons_;
  std::shared_ptr<ImageView> chart_;
  std::shared_ptr<Label> planLine_;
  std::shared_ptr<Button> locationButton_;
  std::shared_ptr<Label> locationLabel_;
};

}  // namespace kiro
