#include "screens/timer/timer_view_controller.h"

#include <algorithm>
#include <charconv>

#include "platform/platform.h"
#include "platform/ui/alert.h"
#include "platform/ui/image_view.h"
#include "platform/ui/main_screen.h"
#include "screens/palette.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;

constexpr Color kDimmed{0.45, 0.45, 0.47, 1};
const Font kFont{"ArialMT", 16};
constexpr std::array<const char*, 4> kKeys{"timerDelay", "timerBulb", "timerInterval", "timerShots"};
constexpr std::array<int, 4> kLowest{0, 0, 1, 0};
constexpr int kHighest = 9999;
constexpr std::array<Mode, 3> kModes{Mode::self, Mode::bulb, Mode::interval};

std::optional<int> storedNumber(const std::string& key) {
  const auto text = platform().defaults.string(key);
  int value = 0;
  if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc()) return std::nullopt;
  return value;
}

// Which values a mode uses.
bool uses(Mode mode, TimerViewController::Value which) {
  switch (which) {
    case TimerViewController::delay: return true;
    case TimerViewController::bulb: return mode != Mode::self;
    default: return mode == Mode::interval;
  }
}

}  // namespace

TimerViewController::TimerViewController(Start start, std::function<void()> back)
    : Screen("timer"), start_(std::move(start)), back_(std::move(back)) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (const auto stored = storedNumber(kKeys[i])) values_[i] = std::clamp(*stored, kLowest[i], kHighest);
  const auto stored = storedNumber("timerMode").value_or(0);
  mode_ = kModes[static_cast<std::size_t>(std::clamp(stored, 0, 2))];
}

void TimerViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  auto background = std::make_shared<ImageView>("bj.png");
  background->setFrame(makeRect(0, 0, screen.width, screen.height));
  view()->addSubview(background);
  navigationItem().setTitle("Timed shooting");

  auto back = std::make_shared<Button>();
  back->setFrame(makeRect(30, 0, 12, 20));
  back->setImage("后退.png", ControlState::normal);
  back->setKeyEquivalents({"Back"});
  back->setAccessibilityLabel("Back");
  back->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});

  const double width = (screen.width - 40) / 3;
  const char* titles[] = {"Self-timer", "Bulb", "Intervals"};
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    modeButtons_[i] = textButton(makeRect(20 + width * static_cast<double>(i), 90, width - 4, 36), titles[i]);
    modeButtons_[i]->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([mode = kModes[i]](TimerViewController& s) {
                                 s.setMode(mode);
                               }));
  }
  addStepper(delay, "Delay", 150);
  addStepper(bulb, "Bulb", 200);
  addStepper(interval, "Interval", 250);
  addStepper(shots, "Shots", 300);
  auto start = textButton(makeRect(20, 370, screen.width - 40, 44), "Start");
  start->setKeyEquivalents({"S"});
  start->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) { s.startShooting(); }));
  show();
}

// A button drawn as a plain box with its title, for want of pictures.
std::shared_ptr<Button> TimerViewController::textButton(const Rect& frame, const std::string& title) {
  auto button = std::make_shared<Button>();
  button->setFrame(frame);
  button->setBackgroundColor(kDarkGrey);
  button->setAccessibilityLabel(title == "-" ? "Less" : title == "+" ? "More" : title);
  auto label = std::make_shared<Label>();
  label->setFrame(makeRect(0, 0, frame.size.width, frame.size.height));
  label->setText(title);
  label->setFont(kFont);
  label->setTextColor(Color::white());
  label->setTextAlignment(TextAlignment::center);
  button->addSubview(label);
  view()->addSubview(button);
  return button;
}

void TimerViewController::addStepper(Value which, const std::string& name, double y) {
  const double width = mainScreen().bounds.width;
  nameLabels_[which] = std::make_shared<Label>();
  valueLabels_[which] = std::make_shared<Label>();
  nameLabels_[which]->setFrame(makeRect(20, y, width - 200, 36));
  nameLabels_[which]->setText(name);
  valueLabels_[which]->setFrame(makeRect(width - 136, y, 72, 36));
  valueLabels_[which]->setTextAlignment(TextAlignment::center);
  for (const auto& label : {nameLabels_[which], valueLabels_[which]}) {
    label->setFont(kFont);
    view()->addSubview(label);
  }
  for (const int sign : {-1, 1}) {
    auto button = textButton(makeRect(sign < 0 ? width - 180 : width - 60, y, 40, 36), sign < 0 ? "-" : "+");
    button->addTarget(ControlEvent::touchUpInside,
                      weakly<TimerViewController>([which, sign](TimerViewController& s) { s.step(which, sign); }));
  }
}

void TimerViewController::setMode(Mode mode) {
  mode_ = mode;
  show();
}

void TimerViewController::step(Value which, int step) {
  values_[which] = std::clamp(values_[which] + step, kLowest[which], kHighest);
  show();
}

ShootingPlan TimerViewController::plan() const {
  const auto seconds = [this](Value which) { return Millis{values_[which] * 1000}; };
  ShootingPlan plan{mode_, std::nullopt, std::nullopt, seconds(interval), std::nullopt};
  if (values_[delay] > 0) plan.delay = seconds(delay);
  if (values_[bulb] > 0 && uses(mode_, bulb)) plan.bulb = seconds(bulb);
  if (values_[shots] > 0) plan.count = values_[shots];
  return plan;
}

void TimerViewController::startShooting() {
  auto& defaults = platform().defaults;
  defaults.set("timerMode", std::to_string(static_cast<int>(mode_)));
  for (std::size_t i = 0; i < kKeys.size(); ++i) defaults.set(kKeys[i], std::to_string(values_[i]));
  if (const auto problem = start_(plan())) alertQueue().show(Alert{"Cannot start", *problem, "OK"});
}

void TimerViewController::show() {
  if (!isViewLoaded()) return;
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    const bool chosen = kModes[i] == mode_;
    modeButtons_[i]->setBackgroundColor(chosen ? kYellow : kDarkGrey);
    std::static_pointer_cast<Label>(modeButtons_[i]->subviews().front())->setTextColor(chosen ? kDarkGrey : Color::white());
  }
  const std::array<std::string, 4> none{"none", "press", "", "forever"};
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const auto which = static_cast<Value>(i);
    const std::string unit = which == shots ? "" : " s";
    valueLabels_[i]->setText(values_[i] == 0 ? none[i] : std::to_string(values_[i]) + unit);
    for (const auto& label : {nameLabels_[i], valueLabels_[i]}) label->setTextColor(uses(mode_, which) ? Color::white() : kDimmed);
  }
}

}  // namespace kiro
