#include "screens/timer/timer_values.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "plan/durations.h"
#include "plan/ladders.h"
#include "plan/plan_words.h"
#include "platform/platform.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;
using Mode = ShootingPlan::Mode;

constexpr std::array<const char*, 6> kKeys{"timerDelay", "timerBulb",   "timerInterval",
                                           "timerShots", "timerRampTo", "timerBracket"};
// The brackets the buttons step through, as shots and stops: none first.
constexpr std::array<std::pair<int, double>, 17> kBrackets{{{1, 0},
                                                            {3, 1.0 / 3}, {3, 2.0 / 3}, {3, 1}, {3, 2},
                                                            {5, 1.0 / 3}, {5, 2.0 / 3}, {5, 1}, {5, 2},
                                                            {7, 1.0 / 3}, {7, 2.0 / 3}, {7, 1}, {7, 2},
                                                            {9, 1.0 / 3}, {9, 2.0 / 3}, {9, 1}, {9, 2}}};
const char* const kTimes = "\xC3\x97";  // the multiplication sign

// A typed value off its row's ladder.
Text outOfRange(TimerValues::Value which, const std::string& least, const std::string& most, const std::string& typed) {
  switch (which) {
    case TimerValues::bulb: return Text("a bulb is from %1 to %2: not %3", least, most, typed);
    case TimerValues::rampTo: return Text("a ramp's last bulb is from %1 to %2: not %3", least, most, typed);
    case TimerValues::delay: return Text("a delay is from %1 to %2: not %3", least, most, typed);
    default: return Text("an interval is from %1 to %2: not %3", least, most, typed);
  }
}

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Each duration's ladder, with none (zero) below it where the value may be left out.
const std::vector<Millis>& ladder(TimerValues::Value which) {
  static const auto withNone = [](const std::vector<Millis>& rungs) {
    std::vector<Millis> ladder{0ms};
    ladder.insert(ladder.end(), rungs.begin(), rungs.end());
    return ladder;
  };
  static const std::vector<Millis> delays = withNone(ladders::time()), bulbs = withNone(ladders::bulb());
  if (which == TimerValues::delay) return delays;
  if (which == TimerValues::bulb || which == TimerValues::rampTo) return bulbs;
  return ladders::time();
}

std::optional<Millis>& field(ShootingPlan& plan, TimerValues::Value which) {
  return which == TimerValues::delay ? plan.delay : which == TimerValues::rampTo ? plan.rampTo : plan.bulb;
}

// A kept plan's bracket may lie between two of the buttons' ones: a step goes to the next its way.
void stepBracket(ShootingPlan& plan, int steps) {
  const std::pair<int, double> now{plan.bracket, plan.bracket > 1 ? plan.bracketStops : 0};
  const auto above = std::lower_bound(kBrackets.begin(), kBrackets.end(), now);
  const bool between = above == kBrackets.end() || *above != now;
  const long at = (above - kBrackets.begin()) + steps - (between && steps > 0 ? 1 : 0);
  const auto& [shots, stops] =
      kBrackets[static_cast<std::size_t>(std::clamp(at, 0L, static_cast<long>(kBrackets.size()) - 1))];
  plan.bracket = shots;
  plan.bracketStops = stops;
}

// "none", or shots and stops such as 3x1/3 or "5 × 1 EV", as the screen shows them.
Result<std::pair<int, double>> readBracket(std::string text) {
  if (text == "none") return std::pair{1, 0.0};
  const std::string typed = text;
  std::erase(text, ' ');
  if (text.ends_with("EV")) text.resize(text.size() - 2);
  if (const auto sign = text.find(kTimes); sign != std::string::npos) text.replace(sign, std::strlen(kTimes), "x");
  const auto times = text.find('x');
  const auto shots = times == std::string::npos ? std::nullopt : wholeNumber(text.substr(0, times));
  const auto stops = times == std::string::npos ? std::nullopt : parseStops(text.substr(times + 1));
  if (!shots || *shots < 3 || *shots > 9 || *shots % 2 == 0 || !stops || *stops <= 0 || *stops > 3)
    return Error{Text("a bracket is none, or 3, 5, 7 or 9 shots up to 3 stops apart, such as 3x1/3: not %1", typed)};
  return std::pair{*shots, *stops};
}

}  // namespace

TimerValues::TimerValues() {
  plan_ = {Mode::self, 10s, 1s, 5s, 10};
  auto& defaults = platform().defaults;
  const auto mode = wholeNumber(defaults.string("timerMode").value_or(""));
  if (mode && *mode >= 0 && *mode <= 2) plan_.mode = static_cast<Mode>(*mode);
  // Each value as it was typed; a bare number is seconds, as earlier versions kept them.
  for (const auto which : all) {
    const auto stored = defaults.string(kKeys[which]);
    if (!stored) continue;
    // One that cannot be read either way keeps the first-time value.
    if (!enter(which, *stored).ok() && which <= interval && wholeNumber(*stored))
      static_cast<void>(enter(which, *stored + "s"));
  }
  if (const auto at = defaults.string("timerStartAt"); at && !at->empty()) {
    startsAtTime_ = true;
    startsAtTime_ = enter(delay, *at).ok();
  }
}

bool TimerValues::uses(Value which) const {
  switch (which) {
    case delay: return true;
    case bulb: return plan_.mode == Mode::bulb || (plan_.mode == Mode::interval && !night_.hasKeys());
    case shots: return plan_.mode == Mode::interval && !night_.ends();
    case rampTo: return plan_.mode == Mode::interval && !night_.hasKeys();
    default: return plan_.mode == Mode::interval;  // the intervalometer's own
  }
}

void TimerValues::step(Value which, int steps) {
  if (which == delay && startsAtTime_) {
    startAt_ = steppedStart(startAt_, steps);  // a sun event stays one: its offset moves
  } else if (which == shots) {
    plan_.count = std::clamp(plan_.count.value_or(0) + steps, 0, kMostShots);
    if (plan_.count == 0) plan_.count.reset();
  } else if (which == bracket) {
    stepBracket(plan_, steps);
  } else if (which == interval) {
    plan_.interval = ladders::step(ladder(which), plan_.interval, steps);
  } else {
    const Millis value = ladders::step(ladder(which), field(plan_, which).value_or(0ms), steps);
    field(plan_, which) = value > 0ms ? std::optional(value) : std::nullopt;
  }
}

Result<> TimerValues::enter(Value which, const std::string& text) {
  if (which == delay && startsAtTime_) {
    const auto plan = parsePlanWords({"self", "--at", text});
    if (!plan.ok()) return plan.error();
    startAt_ = *plan.value().at;
    return {};
  }
  if (which == shots) {
    const auto count = text == "forever" ? std::optional(0) : wholeNumber(text);
    if (!count || *count < 0 || *count > kMostShots)
      return Error{Text("the shots are 1 to %1, or forever: not %2", kMostShots, text)};
    plan_.count = *count > 0 ? count : std::nullopt;
    return {};
  }
  if (which == bracket) {
    const auto read = readBracket(text);
    if (!read.ok()) return read.error();
    std::tie(plan_.bracket, plan_.bracketStops) = read.value();
    return {};
  }
  const auto typed = parseDuration(text);
  if (!typed.ok()) return typed.error();
  const Millis value = typed.value();
  const auto& rungs = ladder(which);
  if (value != 0ms && (value < rungs[1] || value > rungs.back()))
    return Error{outOfRange(which, durationText(rungs[1]), durationText(rungs.back()), text)};
  if (which == interval) {
    if (value == 0ms) return Error{Text("the interval must be more than zero")};
    plan_.interval = value;
  } else {
    field(plan_, which) = value > 0ms ? std::optional(value) : std::nullopt;
  }
  return {};
}

Text TimerValues::text(Value which) const {
  const auto shown = [](const std::optional<Millis>& value, Text otherwise) {
    return value ? Text::verbatim(durationText(*value)) : otherwise;
  };
  switch (which) {
    case delay: return startsAtTime_ ? Text::verbatim(startTimeWords(startAt_)) : shown(plan_.delay, Text("none"));
    case bulb: return shown(plan_.bulb, Text("press"));
    case interval: return Text::verbatim(durationText(plan_.interval));
    case shots: return plan_.count ? Text::verbatim(std::to_string(*plan_.count)) : Text("forever");
    case rampTo: return shown(plan_.rampTo, Text("none"));
    case bracket:
      if (plan_.bracket == 1) return Text("none");
      return Text::verbatim(std::to_string(plan_.bracket) + " " + kTimes + " " + stopsWords(plan_.bracketStops) + " EV");
  }
  return {};
}

ShootingPlan TimerValues::plan() const {
  ShootingPlan plan = plan_;
  if (startsAtTime_) {
    plan.delay.reset();
    plan.at = startAt_;
  }
  if (!uses(bulb)) plan.bulb.reset();
  if (plan.mode != Mode::interval) {
    plan.rampTo.reset();
    plan.bracket = 1;
  } else {
    night_.applyTo(plan);
  }
  return plan;
}

void TimerValues::take(const ShootingPlan& plan) {
  const ShootingPlan before = plan_;
  plan_ = plan;
  // A self-timer or bulb preset leaves the intervalometer's values as they were.
  if (plan.mode != Mode::interval) {
    plan_.interval = before.interval;
    plan_.count = before.count;
    plan_.rampTo = before.rampTo;
    plan_.bracket = before.bracket;
    plan_.bracketStops = before.bracketStops;
  }
  startsAtTime_ = plan.at.has_value();
  if (plan.at) startAt_ = *plan.at;
  plan_.at.reset();
  night_.take(plan);
  plan_.until.reset();
  plan_.nights = 1;
  plan_.keys.clear();
  plan_.dark = 0;
}

void TimerValues::keep() const {
  auto& defaults = platform().defaults;
  defaults.set("timerMode", std::to_string(static_cast<int>(plan_.mode)));
  defaults.set(kKeys[delay], plan_.delay ? durationWords(*plan_.delay) : "0s");
  defaults.set(kKeys[bulb], plan_.bulb ? durationWords(*plan_.bulb) : "0s");
  defaults.set(kKeys[interval], durationWords(plan_.interval));
  defaults.set(kKeys[shots], plan_.count ? std::to_string(*plan_.count) : "forever");
  defaults.set(kKeys[rampTo], plan_.rampTo ? durationWords(*plan_.rampTo) : "0s");
  defaults.set(kKeys[bracket], plan_.bracket > 1 ? std::to_string(plan_.bracket) + "x" + stopsWords(plan_.bracketStops) : "none");
  defaults.set("timerStartAt", startsAtTime_ ? startTimeWords(startAt_) : "");
  night_.keep();
}

}  // namespace kiro
