#include "plan/plan_words.h"
#include "plan/timer_presets.h"
#include "screens/remote/audible_countdown.h"
#include "screens/timer/night_view_controller.h"
#include "screens/timer/presets_view_controller.h"
#include "screens/timer/timer_view_controller.h"

#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {
namespace {

using Mode = ShootingPlan::Mode;

// Each button on a screen is named; nothing but the background lies over anything else, and
// all of it has a place on the screen.
void expectLaidOut(const View& screenView) {
  const Size screen = mainScreen().bounds;
  auto views = screenView.subviews();
  std::erase_if(views, [&](const auto& view) { return view->frame() == makeRect(0, 0, screen.width, screen.height); });
  for (auto one = views.begin(); one != views.end(); ++one) {
    if (std::dynamic_pointer_cast<Button>(*one)) {
      EXPECT_NE((*one)->accessibilityLabel(), "");
    }
    const Rect& a = (*one)->frame();
    EXPECT_TRUE(a.minX() >= 0 && a.minY() >= 0 && a.maxX() <= screen.width && a.maxY() <= screen.height);
    EXPECT_TRUE(a.size.width > 0 && a.size.height > 0) << (*one)->name();
    for (auto other = std::next(one); other != views.end(); ++other) {
      const Rect& b = (*other)->frame();
      EXPECT_FALSE(a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY())
          << a.minX() << "," << a.minY() << " over " << b.minX() << "," << b.minY();
    }
  }
}

// The timer button opens the screen; Start brings the remote screen back counting down
// and keeps the values for next time; a plan that cannot run says why and stays; leaving
// the remote screen stops the sequence.
TEST_F(AppShellFixture, TheTimerScreenStartsWhatItShowsAndRemembersIt) {
  launch();
  const auto remote = delegate->remote();
  const auto open = [&] {
    remote->timerButton()->sendActions(ControlEvent::touchUpInside);
    return std::dynamic_pointer_cast<TimerViewController>(navigation().topViewController());
  };
  auto timer = open();
  ASSERT_TRUE(timer);
  expectLaidOut(*timer->view());
  timer->setMode(Mode::interval);
  timer->step(TimerViewController::interval, -4);  // 1 s: no room for a shot and its notice
  EXPECT_EQ(timer->planLine()->text(), "the interval (1 s) is shorter than a shot (1 s) and its release notice (1 s)");
  timer->startShooting();
  ASSERT_NE(alerts.visible(), nullptr);
  EXPECT_EQ(alerts.visible()->title, "Cannot start");
  alerts.dismiss();
  timer->step(TimerViewController::interval, 2);
  timer->startShooting();
  EXPECT_EQ(stack(), std::vector<std::string>{"remote"});
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::planned);
  EXPECT_EQ(remote->timerLine()->text(), "Shot 0 of 10, next in 10.0 s");

  remote->timerButton()->sendActions(ControlEvent::touchUpInside);  // now a stop button
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::stopped);
  EXPECT_EQ(remote->timerLine()->text(), "Stopped after 0 shots");
  timer = open();
  EXPECT_EQ(timer->values().mode(), Mode::interval);
  EXPECT_EQ(timer->values().text(TimerViewController::interval), "3 s");
  timer->startShooting();
  tapBar(false);  // leaving the remote screen for the device list leaves it running
  EXPECT_EQ(remote->timedShooting().state, ShootingStatus::State::planned);
}

// The buttons of screen called label, in the order they were added.
// The buttons a screen reader names starting with label: each is named by what it changes.
std::vector<std::shared_ptr<Button>> buttons(Screen& screen, const std::string& label) {
  std::vector<std::shared_ptr<Button>> found;
  for (const auto& view : screen.view()->subviews())
    if (auto button = std::dynamic_pointer_cast<Button>(view); button && button->accessibilityLabel().rfind(label, 0) == 0)
      found.push_back(button);
  return found;
}

// A held "more" repeats, then hurries, then strides; a typed value out of range is
// refused with its reason; a start time says when the plan ends; a preset picked fills
// the values; Save keeps them under the name offered or one typed, and says so; Delete
// takes a row away for as long as Undo shows; the built-in ones come back.
TEST_F(AppShellFixture, TheTimerScreenHoldsTypesStartsAtATimeAndKeepsPresets) {
  launch();
  delegate->remote()->timerButton()->sendActions(ControlEvent::touchUpInside);
  const auto timer = std::dynamic_pointer_cast<TimerViewController>(navigation().topViewController());
  ASSERT_TRUE(timer);
  // The sound button turns the countdown's ticks off or on, and says which.
  const bool sound = AudibleCountdown::on();
  timer->soundButton()->sendActions(ControlEvent::touchUpInside);
  EXPECT_NE(AudibleCountdown::on(), sound);
  EXPECT_EQ(timer->soundButton()->accessibilityLabel(), sound ? "Countdown sound: off" : "Countdown sound: on");
  timer->soundButton()->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(AudibleCountdown::on(), sound);
  const auto more = buttons(*timer, "Shots, more").at(0);
  more->sendActions(ControlEvent::touchDown);
  loop.advance(3s);
  more->sendActions(ControlEvent::touchUpInside);
  loop.advance(1s);
  EXPECT_EQ(timer->values().text(TimerViewController::shots), "1130");
  using Kind = Screen::Typing::Kind;
  const auto type = [&](TimerViewController::Value which, std::vector<Screen::Typing> keys) {
    timer->startTyping(which);
    for (const auto& key : keys) timer->type(key);
  };
  type(TimerViewController::interval, {{Kind::text, "2m"}, {Kind::erase, {}}, {Kind::text, "0s"}, {Kind::enter, {}}});
  EXPECT_EQ(timer->values().text(TimerViewController::interval), "20 s");
  EXPECT_EQ(buttons(*timer, "Interval: 20 s").size(), 1u);
  type(TimerViewController::shots, {{Kind::text, "5"}, {Kind::cancel, {}}});
  EXPECT_FALSE(timer->takesTyping());
  type(TimerViewController::bulb, {{Kind::text, "5h"}});
  EXPECT_EQ(std::static_pointer_cast<Label>(buttons(*timer, "Bulb: ").at(0)->subviews().at(0))->text(), "5h_");
  timer->type({Kind::enter, {}});
  ASSERT_NE(alerts.visible(), nullptr);
  EXPECT_EQ(alerts.visible()->message, "a bulb is from 0.1 s to 4 h: not 5h");
  alerts.dismiss();
  EXPECT_EQ(timer->values().text(TimerViewController::bulb), "1 s");
  timer->setMode(Mode::interval);
  timer->toggleStartAt();
  timer->enter(TimerViewController::delay, "00:30");
  EXPECT_EQ(timer->planLine()->text(), "First shot 00:30, ends about 06:46");
  timer->step(TimerViewController::delay, -7);
  EXPECT_EQ(timer->planLine()->text(), "First shot 23:55, ends about 06:11 tomorrow");

  timer->presetsButton()->sendActions(ControlEvent::touchUpInside);
  auto presets = std::dynamic_pointer_cast<PresetsViewController>(navigation().topViewController());
  ASSERT_TRUE(presets);
  expectLaidOut(*presets->view());
  presets->table()->selectRow(1);
  EXPECT_EQ(stack(), (std::vector<std::string>{"remote", "timer"}));
  EXPECT_EQ(planWords(timer->values().plan()), "interval 32s forever --bulb 30s");
  timer->presetsButton()->sendActions(ControlEvent::touchUpInside);
  presets = std::dynamic_pointer_cast<PresetsViewController>(navigation().topViewController());
  presets->save();
  presets->type({Kind::enter, {}});
  EXPECT_EQ(presets->line()->text(), "Saved as Intervals: 30 s every 32 s, until stopped");
  presets->save();
  for (const char* key : {"M", "\t", "ü", "\x1b", "x"}) presets->type({Kind::text, key});
  presets->type({Kind::erase, {}});
  presets->type({Kind::erase, {}});
  presets->type({Kind::enter, {}});
  EXPECT_EQ(presets->names().at(1), "M");
  presets->toggleDeleting();
  presets->table()->selectRow(1);
  presets->table()->selectRow(2);
  EXPECT_EQ(presets->names(), (std::vector<std::string>{"Intervals: 30 s every 32 s, until stopped", "Self-timer 10 s",
                                                        "Time-lapse: 1 s every 5 s, 300 shots"}));
  presets->undo();
  EXPECT_EQ(presets->names().at(2), "Star trails: 30 s every 32 s, until stopped");
  presets->table()->selectRow(2);
  loop.advance(7s);
  presets->undo();
  EXPECT_EQ(presets->names().size(), 3u);
  presets->restoreBuiltIns();
  EXPECT_EQ(presets->names().at(2), "Star trails: 30 s every 32 s, until stopped");
}

// A ramped, bracketed preset shows all of itself on the screen, and what Start runs is
// what the screen says once the bulb is edited and the bracket taken away.
TEST_F(AppShellFixture, APresetsRampAndBracketAreShownEditedAndRunAsShown) {
  launch();
  const auto dusk = parsePlanWords({"interval", "30s", "100", "--ramp", "1s..4s", "--bracket", "3", "--ev", "1"});
  ASSERT_TRUE(presets::save(defaults, "Dusk", dusk.value()).ok());
  const auto remote = delegate->remote();
  remote->timerButton()->sendActions(ControlEvent::touchUpInside);
  const auto timer = std::dynamic_pointer_cast<TimerViewController>(navigation().topViewController());
  timer->presetsButton()->sendActions(ControlEvent::touchUpInside);
  std::dynamic_pointer_cast<PresetsViewController>(navigation().topViewController())->table()->selectRow(0);
  EXPECT_EQ(buttons(*timer, "Ramp to: 4 s").size(), 1u);
  EXPECT_EQ(buttons(*timer, "Bracket: 3 \xC3\x97 1 EV").size(), 1u);
  timer->enter(TimerViewController::bulb, "1.3s");
  timer->step(TimerViewController::bracket, -3);
  timer->startShooting();
  EXPECT_EQ(planWords(remote->lastTimedPlan()), "interval 30s 100 --ramp 1.3s..4s");
}

// Night opens the night's screen for an interval plan, laid out; its chart and line follow a
// change, and the timer screen shows the plan the night made.
TEST_F(AppShellFixture, TheNightScreenSetsTheTimerScreensPlanAndChartsIt) {
  launch();
  delegate->remote()->timerButton()->sendActions(ControlEvent::touchUpInside);
  const auto timer = std::dynamic_pointer_cast<TimerViewController>(navigation().topViewController());
  timer->nightButton()->sendActions(ControlEvent::touchUpInside);
  const auto night = std::dynamic_pointer_cast<NightViewController>(navigation().topViewController());
  ASSERT_TRUE(night);
  EXPECT_EQ(timer->values().mode(), Mode::interval);
  expectLaidOut(*night->view());
  const auto chart = night->chart()->picture();
  ASSERT_TRUE(chart);
  night->enter(NightViewController::Value::keyBulb, "2s");
  night->step(NightViewController::Value::key, 1);
  night->enter(NightViewController::Value::keyAt, "23:00");
  night->enter(NightViewController::Value::keyBulb, "8s");
  EXPECT_EQ(night->planLine()->text(), "First shot 00:00, 10 shots, ends about 00:01");
  EXPECT_NE(night->chart()->picture(), chart);
  EXPECT_EQ(buttons(*night, "Keyframe: 2 of 2").size(), 1u);
  // Where the sun events are, typed on the screen; a place that cannot be keeps the one kept.
  night->enterLocation("47.37 8.54");
  night->enterLocation("91 8");
  EXPECT_EQ(buttons(*night, "Location: 47.37 8.54").size(), 1u);
  tapBar(true);
  EXPECT_EQ(planWords(timer->values().plan()), "interval 5s 10 --delay 10s --key 22:00=2s --key 23:00=8s");
}

}  // namespace
}  // namespace kiro::app_test
