#include "screens/timer/timer_view_controller.h"

#include "ui/alert.h"
#include "ui/main_screen.h"
#include "screens/palette.h"
#include "screens/remote/audible_countdown.h"
#include "screens/timer/plan_summary.h"
#include "screens/timer/timer_chrome.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;

constexpr Color kDimmed{0.45, 0.45, 0.47, 1};
const Font kFont{"ArialMT", 16};
const Font kLineFont{"ArialMT", 14};
constexpr std::array<Mode, 3> kModes{Mode::self, Mode::bulb, Mode::interval};
// A held button's count strides as it goes on.
// Enough for 1h30m15s500ms; more is no duration.
constexpr std::size_t kLongestTyping = 16;
// The value rows, one under the other below the mode buttons.
constexpr double kFirstRow = 124, kRowStep = 40;

int stride(TimerValues::Value which, int repeats) {
  if (which != TimerValues::shots) return 1;
  return repeats < 20 ? 1 : repeats < 40 ? 10 : 100;
}

// A row's name and value, as a screen reader says the row.
Text rowWords(TimerValues::Value which, bool startsAtTime, const Text& value) {
  switch (which) {
    case TimerValues::delay: return startsAtTime ? Text("Start at: %1", value) : Text("Delay: %1", value);
    case TimerValues::bulb: return Text("Bulb: %1", value);
    case TimerValues::interval: return Text("Interval: %1", value);
    case TimerValues::shots: return Text("Shots: %1", value);
    case TimerValues::rampTo: return Text("Ramp to: %1", value);
    case TimerValues::bracket: break;
  }
  return Text("Bracket: %1", value);
}

}  // namespace

TimerViewController::TimerViewController(Start start, std::function<void()> back,
                                         std::function<void(TimerViewController&)> presets,
                                         std::function<void(TimerViewController&)> night)
    : Screen("timer"), start_(std::move(start)), back_(std::move(back)), presets_(std::move(presets)),
      night_(std::move(night)) {}

void TimerViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  addBackground(*view());
  navigationItem().setTitle(Text("Timed shooting"));
  auto back = backButton();
  back->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});

  const double width = (screen.width - 40) / 3;
  const Text titles[] = {Text("Self-timer"), Text("Bulb"), Text("Intervals")};
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    modeButtons_[i] = addButton(makeRect(20 + width * static_cast<double>(i), 80, width - 4, 36), titles[i]);
    modeButtons_[i]->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([mode = kModes[i]](TimerViewController& s) {
                                 s.setMode(mode);
                               }));
  }
  const Text rows[] = {Text("Delay"), Text("Bulb"), Text("Interval"), Text("Shots"), Text("Ramp to"), Text("Bracket")};
  for (const auto which : TimerValues::all) addStepper(which, rows[which], kFirstRow + kRowStep * static_cast<int>(which));
  const double below = kFirstRow + kRowStep * static_cast<double>(TimerValues::all.size());
  planLine_ = std::make_shared<Label>();
  planLine_->setName("timerPlanLine");
  planLine_->setFrame(makeRect(20, below, screen.width - 40, 36));
  planLine_->setFont(kLineFont);
  planLine_->setTextColor(kYellow);
  planLine_->setTextAlignment(TextAlignment::center);
  planLine_->setWraps(true);
  view()->addSubview(planLine_);
  auto start = addButton(makeRect(20, below + 40, screen.width - 40, 40), Text("Start"));
  start->setKeyEquivalents({"S"});
  start->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) { s.startShooting(); }));
  const double half = (screen.width - 44) / 2;
  presetsButton_ = addButton(makeRect(20, below + 86, half, 40), Text("Presets"));
  presetsButton_->setKeyEquivalents({"P"});
  presetsButton_->addTarget(ControlEvent::touchUpInside,
                            weakly<TimerViewController>([](TimerViewController& s) { s.presets_(s); }));
  // The night is an interval plan's: opening it picks the intervalometer.
  nightButton_ = addButton(makeRect(24 + half, below + 86, half, 40), Text("Night"));
  nightButton_->setKeyEquivalents({"N"});
  nightButton_->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) {
                            s.setMode(Mode::interval);
                            s.night_(s);
                          }));
  soundButton_ = addButton(makeRect(20, below + 132, screen.width - 40, 40), {});
  soundButton_->addTarget(ControlEvent::touchUpInside, weakly<TimerViewController>([](TimerViewController& s) {
                            AudibleCountdown::setOn(!AudibleCountdown::on());
                            s.show();
                          }));
  show();
}

std::shared_ptr<Button> TimerViewController::addButton(const Rect& frame, const Text& title) {
  auto button = textButton(frame, title, kFont);
  view()->addSubview(button);
  return button;
}

void TimerViewController::addStepper(Value which, const Text& name, double y) {
  const double width = mainScreen().bounds.width;
  if (which == delay) {
    // The first row's name is a button: a delay, or a start time of day.
    startAtButton_ = addButton(makeRect(20, y, 96, 36), name);
    startAtButton_->setAccessibilityLabel(Text("Delay or start time"));
    startAtButton_->addTarget(ControlEvent::touchUpInside,
                              weakly<TimerViewController>([](TimerViewController& s) { s.toggleStartAt(); }));
    nameLabels_[which] = std::static_pointer_cast<Label>(startAtButton_->subviews().front());
  } else {
    nameLabels_[which] = std::make_shared<Label>();
    nameLabels_[which]->setFrame(makeRect(20, y, width - 200, 36));
    nameLabels_[which]->setText(name);
    nameLabels_[which]->setFont(kFont);
    view()->addSubview(nameLabels_[which]);
  }
  // A touch on the value starts typing one.
  auto typeButton = std::make_shared<Button>();
  typeButton->setFrame(makeRect(width - 140, y, 80, 36));
  typeButton->addTarget(ControlEvent::touchUpInside,
                        weakly<TimerViewController>([which](TimerViewController& s) { s.startTyping(which); }));
  valueLabels_[which] = std::make_shared<Label>();
  valueLabels_[which]->setFrame(makeRect(0, 0, 80, 36));
  valueLabels_[which]->setTextAlignment(TextAlignment::center);
  valueLabels_[which]->setFont(kFont);
  typeButton->addSubview(valueLabels_[which]);
  view()->addSubview(typeButton);
  rowButtons_[which][0] = typeButton;
  for (const int sign : {-1, 1}) {
    auto button = addButton(makeRect(sign < 0 ? width - 180 : width - 60, y, 40, 36), Text::verbatim(sign < 0 ? "-" : "+"));
    rowButtons_[which][sign < 0 ? 1 : 2] = button;
    button->addTarget(ControlEvent::touchDown,
                      weakly<TimerViewController>([which, sign](TimerViewController& s) { s.hold(which, sign); }));
    for (const auto end : {ControlEvent::touchUpInside, ControlEvent::touchUpOutside})
      button->addTarget(end, weakly<TimerViewController>([](TimerViewController& s) { s.held_.letGo(); }));
  }
}

void TimerViewController::hold(Value which, int sign) {
  held_.hold(weakly<TimerViewController>(
      [which, sign](TimerViewController& s, int repeats) { s.step(which, sign * stride(which, repeats)); }));
}

void TimerViewController::setMode(Mode mode) {
  typing_.reset();
  values_.setMode(mode);
  show();
}

void TimerViewController::toggleStartAt() {
  typing_.reset();
  values_.setStartsAtTime(!values_.startsAtTime());
  show();
}

void TimerViewController::step(Value which, int steps) {
  typing_.reset();
  values_.step(which, steps);
  show();
}

void TimerViewController::enter(Value which, const std::string& text) {
  if (const auto entered = values_.enter(which, text); !entered.ok())
    alertQueue().show(Alert{Text("Cannot use that value"), entered.error().text, Text("OK")});
  show();
}

void TimerViewController::startTyping(Value which) {
  typing_ = which;
  typed_.clear();
  show();
}

void TimerViewController::type(const Typing& key) {
  if (!typing_) return;
  const Value which = *typing_;
  switch (key.kind) {
    case Typing::Kind::text:
      if (typed_.size() + key.text.size() <= kLongestTyping) typed_ += key.text;
      break;
    case Typing::Kind::erase:
      if (!typed_.empty()) typed_.pop_back();
      break;
    case Typing::Kind::cancel: typing_.reset(); break;
    case Typing::Kind::enter:
      typing_.reset();
      return enter(which, typed_);
  }
  show();
}

void TimerViewController::take(const ShootingPlan& plan) {
  values_.take(plan);
  show();
}

void TimerViewController::changeNight(const std::function<void(NightValues&)>& change) {
  typing_.reset();
  change(values_.night());
  show();
}

void TimerViewController::startShooting() {
  typing_.reset();
  values_.keep();
  if (const auto started = start_(values_.plan()); !started.ok())
    alertQueue().show(Alert{Text("Cannot start"), started.error().text, Text("OK")});
}

void TimerViewController::show() {
  if (!isViewLoaded()) return;
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    const bool chosen = kModes[i] == values_.mode();
    modeButtons_[i]->setBackgroundColor(chosen ? kYellow : kDarkGrey);
    modeButtons_[i]->setChoice(true);
    modeButtons_[i]->setSelected(chosen);
    std::static_pointer_cast<Label>(modeButtons_[i]->subviews().front())->setTextColor(chosen ? kDarkGrey : Color::white());
  }
  nameLabels_[delay]->setText(values_.startsAtTime() ? Text("Start at") : Text("Delay"));
  for (const auto which : TimerValues::all) {
    const Text value = values_.text(which);
    valueLabels_[which]->setText(typing_ == which ? Text::verbatim(typed_ + "_") : value);
    for (const auto& label : {nameLabels_[which], valueLabels_[which]})
      label->setTextColor(values_.uses(which) ? Color::white() : kDimmed);
    if (typing_ == which) valueLabels_[which]->setTextColor(kYellow);
    const Text& row = nameLabels_[which]->words();
    rowButtons_[which][0]->setAccessibilityLabel(rowWords(which, values_.startsAtTime(), value));
    rowButtons_[which][1]->setAccessibilityLabel(Text("%1, less", row));
    rowButtons_[which][2]->setAccessibilityLabel(Text("%1, more", row));
  }
  planLine_->setText(planSummary(scheduleNow(values_.plan())));
  const Text sound = AudibleCountdown::on() ? Text("Countdown sound: on") : Text("Countdown sound: off");
  std::static_pointer_cast<Label>(soundButton_->subviews().front())->setText(sound);
  soundButton_->setAccessibilityLabel(sound);
}

}  // namespace kiro
