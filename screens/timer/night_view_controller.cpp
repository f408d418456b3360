#include "screens/timer/night_view_controller.h"

#include "plan/location.h"
#include "platform/platform.h"
#include "ui/alert.h"
#include "ui/main_screen.h"
#include "screens/palette.h"
#include "screens/timer/night_chart.h"
#include "screens/timer/plan_summary.h"
#include "screens/timer/timer_chrome.h"

namespace kiro {

namespace {

// Sun events with offsets are long: this screen's rows are denser than the timer screen's.
const Font kFont{"ArialMT", 15};
const Font kValueFont{"ArialMT", 14};
// From the right: the more button, the value, the less button.
constexpr double kMoreX = 56, kValueX = 166, kLessX = 206;
const Font kLineFont{"ArialMT", 14};
constexpr double kFirstRow = 76, kRowStep = 40;
// Enough for astro-dawn-11h55m, and for a location to 6 decimals; more is no value.
constexpr std::size_t kLongestTyping = 20;
constexpr std::size_t kLongestLocation = 24;

// A row's name and value, as a screen reader says the row.
Text rowWords(NightValues::Value which, const Text& value) {
  switch (which) {
    case NightValues::until: return Text("Until: %1", value);
    case NightValues::nights: return Text("Nights: %1", value);
    case NightValues::dark: return Text("Dark frames: %1", value);
    case NightValues::key: return Text("Keyframe: %1", value);
    case NightValues::keyAt: return Text("Keyframe at: %1", value);
    case NightValues::keyBulb: return Text("Keyframe bulb: %1", value);
    case NightValues::keyInterval: break;
  }
  return Text("Keyframe interval: %1", value);
}

}  // namespace

NightViewController::NightViewController(std::shared_ptr<TimerViewController> timer, std::function<void()> back)
    : Screen("night"), timer_(std::move(timer)), back_(std::move(back)) {}

void NightViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  addBackground(*view());
  navigationItem().setTitle(Text("Night"));
  auto back = backButton();
  back->addTarget(ControlEvent::touchUpInside, weakly<NightViewController>([](NightViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});
  const Text rows[] = {Text("Until"), Text("Nights"), Text("Dark frames"), Text("Keyframe"), Text("At"), Text("Bulb"),
                       Text("Interval")};
  for (const auto which : NightValues::all) addRow(which, rows[which], kFirstRow + kRowStep * static_cast<int>(which));
  const double below = kFirstRow + kRowStep * static_cast<double>(NightValues::all.size());
  chart_ = std::make_shared<ImageView>();
  chart_->setName("nightChart");
  chart_->setFrame(makeRect(20, below + 4, screen.width - 40, 120));
  view()->addSubview(chart_);
  planLine_ = std::make_shared<Label>();
  planLine_->setName("nightPlanLine");
  planLine_->setFrame(makeRect(20, below + 128, screen.width - 40, 36));
  planLine_->setFont(kLineFont);
  planLine_->setTextColor(kYellow);
  planLine_->setTextAlignment(TextAlignment::center);
  planLine_->setWraps(true);
  view()->addSubview(planLine_);
  addLocationRow(below + 168);
  show();
}

void NightViewController::addLocationRow(double y) {
  const double width = mainScreen().bounds.width;
  auto name = std::make_shared<Label>();
  name->setFrame(makeRect(20, y, width - kLessX - 24, 36));
  name->setText(Text("Location"));
  name->setFont(kFont);
  name->setTextColor(Color::white());
  view()->addSubview(name);
  locationButton_ = std::make_shared<Button>();
  locationButton_->setFrame(makeRect(width - kLessX, y, kLessX - 20, 36));
  locationButton_->addTarget(ControlEvent::touchUpInside,
                             weakly<NightViewController>([](NightViewController& s) { s.startTypingLocation(); }));
  locationLabel_ = std::make_shared<Label>();
  locationLabel_->setFrame(makeRect(0, 0, kLessX - 20, 36));
  locationLabel_->setFont(kValueFont);
  locationLabel_->setTextAlignment(TextAlignment::center);
  locationButton_->addSubview(locationLabel_);
  view()->addSubview(locationButton_);
}

void NightViewController::addRow(Value which, const Text& name, double y) {
  const double width = mainScreen().bounds.width;
  if (which == NightValues::until) {
    // The end's name is a button: an end, or none.
    auto ends = textButton(makeRect(20, y, width - kLessX - 24, 36), name, kFont);
    ends->setAccessibilityLabel(Text("End or no end"));
    ends->addTarget(ControlEvent::touchUpInside, weakly<NightViewController>([](NightViewController& s) { s.toggleEnds(); }));
    view()->addSubview(ends);
    names_[which] = std::static_pointer_cast<Label>(ends->subviews().front());
  } else {
    names_[which] = std::make_shared<Label>();
    names_[which]->setFrame(makeRect(20, y, width - kLessX - 24, 36));
    names_[which]->setText(name);
    names_[which]->setFont(kFont);
    names_[which]->setTextColor(Color::white());
    view()->addSubview(names_[which]);
  }
  // A touch on the value starts typing one.
  auto typeButton = std::make_shared<Button>();
  typeButton->setFrame(makeRect(width - kValueX, y, kValueX - kMoreX - 4, 36));
  typeButton->addTarget(ControlEvent::touchUpInside,
                        weakly<NightViewController>([which](NightViewController& s) { s.startTyping(which); }));
  valueLabels_[which] = std::make_shared<Label>();
  valueLabels_[which]->setFrame(makeRect(0, 0, kValueX - kMoreX - 4, 36));
  valueLabels_[which]->setFont(kValueFont);
  valueLabels_[which]->setTextAlignment(TextAlignment::center);
  typeButton->addSubview(valueLabels_[which]);
  view()->addSubview(typeButton);
  rowButtons_[which][0] = typeButton;
  for (const int sign : {-1, 1}) {
    auto button = textButton(makeRect(width - (sign < 0 ? kLessX : kMoreX), y, 36, 36), Text::verbatim(sign < 0 ? "-" : "+"), kFont);
    view()->addSubview(button);
    rowButtons_[which][sign < 0 ? 1 : 2] = button;
    auto stepper = weakly<NightViewController>([which, sign](NightViewController& s, int) { s.step(which, sign); });
    button->addTarget(ControlEvent::touchDown,
                      weakly<NightViewController>([stepper](NightViewController& s) { s.held_.hold(stepper); }));
    for (const auto end : {ControlEvent::touchUpInside, ControlEvent::touchUpOutside})
      button->addTarget(end, weakly<NightViewController>([](NightViewController& s) { s.held_.letGo(); }));
  }
}

void NightViewController::change(const std::function<void(NightValues&)>& change) {
  typing_.reset();
  typingLocation_ = false;
  timer_->changeNight(change);
  show();
}

void NightViewController::step(Value which, int steps) {
  change([which, steps](NightValues& values) { values.step(which, steps); });
}

void NightViewController::enter(Value which, const std::string& text) {
  change([which, &text](NightValues& values) {
    if (const auto entered = values.enter(which, text); !entered.ok())
      alertQueue().show(Alert{Text("Cannot use that value"), entered.error().text, Text("OK")});
  });
}

void NightViewController::toggleEnds() {
  change([](NightValues& values) { values.setEnds(!values.ends()); });
}

void NightViewController::startTyping(Value which) {
  typing_ = which;
  typingLocation_ = false;
  typed_.clear();
  show();
}

void NightViewController::startTypingLocation() {
  typing_.reset();
  typingLocation_ = true;
  typed_.clear();
  show();
}

void NightViewController::enterLocation(const std::string& text) {
  typingLocation_ = false;
  if (text == "off") {
    keepLocation(platform().defaults, std::nullopt);
  } else if (const auto where = parseLocation(text); where.ok()) {
    keepLocation(platform().defaults, where.value());
  } else {
    alertQueue().show(Alert{Text("Cannot use that value"), where.error().text, Text("OK")});
  }
  show();
}

void NightViewController::type(const Typing& key) {
  if (!takesTyping()) return;
  switch (key.kind) {
    case Typing::Kind::text:
      if (typed_.size() + key.text.size() <= (typingLocation_ ? kLongestLocation : kLongestTyping)) typed_ += key.text;
      break;
    case Typing::Kind::erase:
      if (!typed_.empty()) typed_.pop_back();
      break;
    case Typing::Kind::cancel:
      typing_.reset();
      typingLocation_ = false;
      break;
    case Typing::Kind::enter: return typingLocation_ ? enterLocation(typed_) : enter(*typing_, typed_);
  }
  show();
}

void NightViewController::show() {
  if (!isViewLoaded()) return;
  for (const auto which : NightValues::all) {
    const Text value = values().text(which);
    valueLabels_[which]->setText(typing_ == which ? Text::verbatim(typed_ + "_") : value);
    valueLabels_[which]->setTextColor(typing_ == which ? kYellow : Color::white());
    const Text& row = names_[which]->words();
    rowButtons_[which][0]->setAccessibilityLabel(rowWords(which, value));
    rowButtons_[which][1]->setAccessibilityLabel(Text("%1, less", row));
    rowButtons_[which][2]->setAccessibilityLabel(Text("%1, more", row));
  }
  const auto kept = keptLocation(platform().defaults);
  const Text where = kept.ok() && kept.value() ? Text::verbatim(locationWords(*kept.value())) : Text("none");
  locationLabel_->setText(typingLocation_ ? Text::verbatim(typed_ + "_") : where);
  locationLabel_->setTextColor(typingLocation_ ? kYellow : Color::white());
  locationButton_->setAccessibilityLabel(Text("Location: %1", where));
  const auto schedule = scheduleNow(timer_->values().plan());
  planLine_->setText(planSummary(schedule, true));
  const Size size = chart_->frame().size;
  chart_->setPicture(schedule.ok() ? std::make_shared<const Picture>(nightChart(schedule.value(), wallClock(),
                                                                                  kept, size,
                                                                                  mainScreen().scale))
                                   : nullptr);
}

}  // namespace kiro
