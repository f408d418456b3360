#include "plan/timer_presets.h"

#include <sstream>
#include <vector>

#include "plan/durations.h"
#include "plan/plan_words.h"
#include "platform/platform.h"

namespace kiro::presets {

namespace {

const char* const kKey = "timerPresets";
const std::string kSeparator = " = ";
using Kept = std::map<std::string, std::string>;

const Kept kBuiltIn{
    {"Self-timer 10 s", "self 10s"},
    {"Star trails: 30 s every 32 s, until stopped", "interval 32s forever --bulb 30s"},
    {"Time-lapse: 1 s every 5 s, 300 shots", "interval 5s 300 --bulb 1s"},
};

// What is stored: the plans by name, and the lines that have no name, kept as they are.
struct Stored {
  Kept kept;
  std::vector<std::string> unnamed;
};

Stored stored(const UserDefaults& defaults) {
  const auto text = defaults.string(kKey);
  if (!text) return {kBuiltIn, {}};
  Stored stored;
  std::istringstream lines(*text);
  for (std::string line; std::getline(lines, line);) {
    if (const auto split = line.find(kSeparator); split != std::string::npos && split > 0)
      stored.kept[line.substr(0, split)] = line.substr(split + kSeparator.size());
    else if (!line.empty())
      stored.unnamed.push_back(line);
  }
  return stored;
}

// Starts from what is stored now: another run may have changed the presets since.
Stored fresh(UserDefaults& defaults) {
  defaults.reload();
  return stored(defaults);
}

void keep(UserDefaults& defaults, const Stored& stored) {
  std::string text;
  for (const auto& [name, words] : stored.kept) text += name + kSeparator + words + "\n";
  // A hand-edited line the app cannot read is never dropped by a save.
  for (const auto& line : stored.unnamed) {
    text += line + "\n";
    platform().notices.say(std::string("a ") + kKey + " line without a name is kept as it is: " + line);
  }
  defaults.set(kKey, text);
}

Result<> checkName(const std::string& name) {
  if (name.empty()) return Error{Text("a preset needs a name")};
  if (name.find('=') != std::string::npos || name.find('\n') != std::string::npos)
    return Error{Text("a preset's name cannot hold \"=\" or a line break: %1", name)};
  return {};
}

}  // namespace

Kept all(const UserDefaults& defaults) { return stored(defaults).kept; }

Result<ShootingPlan> plan(const UserDefaults& defaults, const std::string& name) {
  const Kept kept = all(defaults);
  const auto found = kept.find(name);
  if (found == kept.end()) return Error{Text("no preset named %1", name)};
  std::vector<std::string> words;
  std::istringstream split(found->second);
  for (std::string word; split >> word;) words.push_back(word);
  auto read = parsePlanWords(words);
  if (!read.ok()) return Error{Text("the preset %1 cannot be used: %2", name, read.error().text)};
  return read;
}

Result<> save(UserDefaults& defaults, const std::string& name, const ShootingPlan& plan) {
  if (auto checked = checkName(name); !checked.ok()) return checked;
  // A kept plan that could not run would only fail when picked.
  if (auto checked = checkPlan(plan); !checked.ok()) return checked;
  Stored now = fresh(defaults);
  now.kept[name] = planWords(plan);
  keep(defaults, now);
  return {};
}

Result<> rename(UserDefaults& defaults, const std::string& name, const std::string& newName) {
  if (auto checked = checkName(newName); !checked.ok()) return checked;
  Stored now = fresh(defaults);
  auto entry = now.kept.extract(name);
  if (!entry) return Error{Text("no preset named %1", name)};
  if (now.kept.contains(newName)) return Error{Text("a preset named %1 is there already", newName)};
  entry.key() = newName;
  now.kept.insert(std::move(entry));
  keep(defaults, now);
  return {};
}

Result<> remove(UserDefaults& defaults, const std::string& name) {
  Stored now = fresh(defaults);
  if (now.kept.erase(name) == 0) return Error{Text("no preset named %1", name)};
  keep(defaults, now);
  return {};
}

Result<> putBack(UserDefaults& defaults, const std::string& name, const std::string& words) {
  if (auto checked = checkName(name); !checked.ok()) return checked;
  Stored now = fresh(defaults);
  if (!now.kept.emplace(name, words).second) return Error{Text("a preset named %1 is there already", name)};
  keep(defaults, now);
  return {};
}

void restoreBuiltIns(UserDefaults& defaults) {
  Stored now = fresh(defaults);
  now.kept.insert(kBuiltIn.begin(), kBuiltIn.end());
  keep(defaults, now);
}

std::string nameFor(const ShootingPlan& plan) {
  std::string name;
  switch (plan.mode) {
    case ShootingPlan::Mode::self: name = "Self-timer" + (plan.delay ? " " + durationText(*plan.delay) : ""); break;
    case ShootingPlan::Mode::bulb: name = "Bulb " + durationText(plan.bulb.value_or(Millis{0})); break;
    case ShootingPlan::Mode::interval:
      // Keyframes go from the first one's bulb to the last one's, as a ramp does.
      name = "Intervals: " +
             (!plan.keys.empty() ? durationText(plan.keys.front().bulb) + " to " + durationText(plan.keys.back().bulb)
              : plan.bulb        ? durationText(*plan.bulb)
                                 : std::string("a press")) +
             (plan.rampTo ? " to " + durationText(*plan.rampTo) : "") + " every " + durationText(plan.interval) + ", " +
             (plan.count ? std::to_string(*plan.count) + " shots"
              : plan.until ? "until " + startTimeWords(*plan.until)
                           : "until stopped");
      if (plan.nights > 1) name += ", " + std::to_string(plan.nights) + " nights";
      if (plan.bracket > 1) name += ", brackets of " + std::to_string(plan.bracket);
      break;
  }
  if (plan.delay && plan.mode != ShootingPlan::Mode::self) name += " after " + durationText(*plan.delay);
  if (plan.at) name += " at " + startTimeWords(*plan.at);
  return name;
}

}  // namespace kiro::presets
