#include "plan/plan_words.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>

#include "plan/durations.h"

namespace kiro {

namespace {

using Mode = ShootingPlan::Mode;
using Words = std::vector<std::string>;

const char* const kUsage =
    "a plan is self D|--at T, bulb B [--delay D|--at T] or interval I N|forever|--until T"
    " [--bulb B|--ramp B1..B2|--key T=B[/I]...] [--bracket 3|5|7|9 --ev E] [--delay D|--at T] [--nights N]"
    " [--dark N],"
    " T a time HH:MM or a sun event such as sunset+20m";

std::optional<int> number(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text[0] == '-' || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Reads text as a duration into out, or says why it cannot.
Result<> readDuration(const std::string& text, Millis& out) {
  const auto read = parseDuration(text);
  if (!read.ok()) return read.error();
  out = read.value();
  return {};
}

Result<> readDuration(const std::string& text, std::optional<Millis>& out) {
  Millis value{0};
  if (auto read = readDuration(text, value); !read.ok()) return read;
  out = value;
  return {};
}

}  // namespace

Result<Keyframe> parseKeyframe(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos) return Error{"a keyframe is T=B[/I], such as sunset=0.5s/5s, not " + text};
  Keyframe key;
  auto at = parseStartTime(text.substr(0, equals));
  if (!at.ok()) return at.error();
  key.at = at.value();
  const std::string values = text.substr(equals + 1);
  const auto slash = values.find('/');
  if (auto read = readDuration(values.substr(0, slash), key.bulb); !read.ok()) return read.error();
  if (slash != std::string::npos)
    if (auto read = readDuration(values.substr(slash + 1), key.interval); !read.ok()) return read.error();
  return key;
}

std::string keyframeWords(const Keyframe& key) {
  std::string words = startTimeWords(key.at) + "=" + durationWords(key.bulb);
  if (key.interval) words += "/" + durationWords(*key.interval);
  return words;
}

namespace {

// Reads the options from words[at] on into plan.
Result<> options(const Words& words, std::size_t at, ShootingPlan& plan) {
  std::set<std::string> given;
  for (; at < words.size(); at += 2) {
    const std::string& option = words[at];
    if (!given.insert(option).second && option != "--key") return Error{option + " is given twice"};
    const bool interval = plan.mode == Mode::interval;
    const bool known = option == "--at" || (option == "--delay" && plan.mode != Mode::self) ||
                       (interval && (option == "--bulb" || option == "--ramp" || option == "--bracket" || option == "--ev" ||
                                     option == "--until" || option == "--nights" || option == "--key" || option == "--dark"));
    if (!known) return Error{std::string(modeName(plan.mode)) + " has no option " + option};
    if (at + 1 == words.size()) return Error{option + " needs a value"};
    const std::string& value = words[at + 1];
    if (option == "--at" || option == "--until") {
      auto start = parseStartTime(value);
      if (!start.ok()) return start.error();
      (option == "--at" ? plan.at : plan.until) = start.value();
    } else if (option == "--key") {
      auto key = parseKeyframe(value);
      if (!key.ok()) return key.error();
      plan.keys.push_back(key.value());
    } else if (option == "--nights") {
      const auto nights = number(value);
      if (!nights || *nights < 1 || *nights > kMostNights)
        return Error{"--nights takes 1 to " + std::to_string(kMostNights) + ", not " + value};
      plan.nights = *nights;
    } else if (option == "--dark") {
      const auto dark = number(value);
      if (!dark || *dark > kMostDark) return Error{"--dark takes 0 to " + std::to_string(kMostDark) + ", not " + value};
      plan.dark = *dark;
    } else if (option == "--bracket") {
      const auto shots = number(value);
      if (shots != 3 && shots != 5 && shots != 7 && shots != 9) return Error{"a bracket takes 3, 5, 7 or 9 shots, not " + value};
      plan.bracket = *shots;
    } else if (option == "--ev") {
      const auto step = parseStops(value);
      if (!step) return Error{"not a number of stops: " + value + " (such as 1, 0.5 or 1/3)"};
      plan.bracketStops = *step;
    } else if (option == "--ramp") {
      const auto dots = value.find("..");
      if (dots == std::string::npos) return Error{"a ramp is B1..B2, such as 100ms..20s, not " + value};
      if (auto read = readDuration(value.substr(0, dots), plan.bulb); !read.ok()) return read;
      if (auto read = readDuration(value.substr(dots + 2), plan.rampTo); !read.ok()) return read;
    } else if (auto read = readDuration(value, option == "--delay" ? plan.delay : plan.bulb); !read.ok()) {
      return read;
    }
  }
  if (given.contains("--bulb") + given.contains("--ramp") + given.contains("--key") > 1)
    return Error{"--bulb, --ramp and --key each set the bulb: give one of them"};
  if (given.contains("--delay") && given.contains("--at")) return Error{"give --delay or --at, not both"};
  if (given.contains("--bracket") != given.contains("--ev")) return Error{"--bracket and --ev go together"};
  return {};
}

}  // namespace

std::optional<double> parseStops(const std::string& text) {
  if (const auto slash = text.find('/'); slash != std::string::npos) {
    const auto over = number(text.substr(0, slash)), under = number(text.substr(slash + 1));
    if (!over || !under || *under == 0) return std::nullopt;
    return static_cast<double>(*over) / *under;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string stopsWords(double stops) {
  const double thirds = stops * 3;
  if (std::abs(thirds - std::round(thirds)) < 1e-9 && std::fmod(std::round(thirds), 3) != 0)
    return std::to_string(std::lround(thirds)) + "/3";
  char text[32];
  std::snprintf(text, sizeof text, "%g", stops);
  return text;
}

Result<ShootingPlan> parsePlanWords(const Words& words) {
  const std::string what = words.empty() ? "" : words[0];
  ShootingPlan plan;
  std::size_t at = 2;
  if (what == "self" && words.size() >= 2) {
    if (words[1].starts_with("--")) at = 1;
    else if (auto read = readDuration(words[1], plan.delay); !read.ok()) return read.error();
  } else if (what == "bulb" && words.size() >= 2) {
    plan.mode = Mode::bulb;
    if (auto read = readDuration(words[1], plan.bulb); !read.ok()) return read.error();
  } else if (what == "interval" && words.size() >= 3) {
    plan.mode = Mode::interval;
    if (auto read = readDuration(words[1], plan.interval); !read.ok()) return read.error();
    const bool counted = !words[2].starts_with("--");
    if (counted && words[2] != "forever") {
      plan.count = number(words[2]);
      if (!plan.count)
        return Error{"not a number of shots: " + words[2] + " (1 to " + std::to_string(kMostShots) + ", or forever)"};
    }
    at = counted ? 3 : 2;
  } else {
    return Error{kUsage};
  }
  if (auto read = options(words, at, plan); !read.ok()) return read.error();
  if (plan.mode == Mode::interval && (at == 2) != plan.until.has_value())
    return Error{"interval " + words[1] + " takes N, forever or --until T: one of them"};
  if (auto checked = checkPlan(plan); !checked.ok()) return checked.error();
  return plan;
}

std::string planWords(const ShootingPlan& plan) {
  std::string words = modeName(plan.mode);
  if (plan.mode == Mode::self && plan.delay) words += " " + durationWords(*plan.delay);
  if (plan.mode == Mode::interval && plan.until) words += " " + durationWords(plan.interval) + " --until " + startTimeWords(*plan.until);
  else if (plan.mode == Mode::interval)
    words += " " + durationWords(plan.interval) + " " + (plan.count ? std::to_string(*plan.count) : "forever");
  if (plan.bulb && plan.rampTo) words += " --ramp " + durationWords(*plan.bulb) + ".." + durationWords(*plan.rampTo);
  else if (plan.bulb) words += (plan.mode == Mode::bulb ? " " : " --bulb ") + durationWords(*plan.bulb);
  if (plan.bracket > 1) words += " --bracket " + std::to_string(plan.bracket) + " --ev " + stopsWords(plan.bracketStops);
  if (plan.delay && plan.mode != Mode::self) words += " --delay " + durationWords(*plan.delay);
  if (plan.at) words += " --at " + startTimeWords(*plan.at);
  if (plan.nights > 1) words += " --nights " + std::to_string(plan.nights);
  if (plan.dark > 0) words += " --dark " + std::to_string(plan.dark);
  for (const auto& key : plan.keys) words += " --key " + keyframeWords(key);
  return words;
}

}  // namespace kiro
