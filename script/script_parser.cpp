#include "script/script_parser.h"

#include <charconv>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "plan/location.h"
#include "plan/plan_words.h"
#include "script/script_words.h"

namespace kiro {

namespace {

using Words = std::vector<std::string>;

// A whole number of digits, no sign, up to limit.
std::optional<std::int64_t> wholeNumber(const std::string& text, std::int64_t limit) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text[0] == '-' || error != std::errc() || stop != end || value > limit) return std::nullopt;
  return value;
}

std::optional<Bytes> hexBytes(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return bytesFromHex(text);
}

Result<ScriptCommand> noArguments(const Words& words, ScriptCommand command) {
  if (words.size() != 1) return Error{words[0] + " takes no arguments"};
  return command;
}

Result<ScriptCommand> wait(const Words& words) {
  // Up to what a platform timer takes.
  const std::int64_t longest = std::numeric_limits<std::int32_t>::max();
  const auto duration = words.size() == 2 ? wholeNumber(words[1], longest) : std::nullopt;
  if (!duration) return Error{"wait needs a whole number of milliseconds (wait MS)"};
  return script::Wait{Millis{*duration}};
}

Result<ScriptCommand> touch(const Words& words, ControlEvent event) {
  if (words.size() != 2 || (words[1] != "F" && words[1] != "R")) return Error{words[0] + " needs F or R"};
  if (event == ControlEvent::touchUpOutside && words[1] != "R") return Error{"release-outside needs R"};
  return script::Touch{event, words[1][0]};
}

Result<ScriptCommand> tap(const Words& words) {
  static const std::set<std::string> kButtons{"search", "help",  "back",  "refresh", "timer", "presets",
                                              "night",  "web",   "serve", "renew",   "cancel"};
  if (words.size() != 2 || !kButtons.contains(words[1]))
    return Error{"tap needs search, help, back, refresh, timer, presets, night, web, serve, renew or cancel"};
  return script::Tap{words[1]};
}

Result<ScriptCommand> select(const Words& words) {
  const auto row = words.size() == 2 ? wholeNumber(words[1], std::numeric_limits<std::int64_t>::max()) : std::nullopt;
  if (!row) return Error{"select needs a row number (select N)"};
  return script::Select{*row};
}

Result<ScriptCommand> snapshot(const Words& words) {
  if (words.size() != 2 || words[1].empty()) return Error{"snapshot needs a file path (snapshot PATH)"};
  return script::Snapshot{words[1]};
}

// Sizes a window may take on a desktop; no side more than four times the other, so that
// the screens and a snapshot of them stay a sensible size.
Result<ScriptCommand> window(const Words& words) {
  constexpr int kSmallest = 100, kLargest = 4096, kLongest = 4;
  const std::string usage = "window needs WxH in pixels, each 100 to 4096 and neither over 4 times the other, "
                            "such as 960x540";
  const auto x = words.size() == 2 ? words[1].find('x') : std::string::npos;
  if (x == std::string::npos) return Error{usage};
  const auto width = wholeNumber(words[1].substr(0, x), kLargest);
  const auto height = wholeNumber(words[1].substr(x + 1), kLargest);
  if (!width || !height || *width < kSmallest || *height < kSmallest || *width > kLongest * *height ||
      *height > kLongest * *width)
    return Error{usage};
  return script::WindowSize{static_cast<int>(*width), static_cast<int>(*height)};
}

Result<ScriptCommand> addReceiver(const Words& words) {
  if (words.size() < 3 || words[2].starts_with("--"))
    return Error{"receiver add needs a NAME before its options"};
  script::AddReceiver add;
  add.name = words[2];
  const std::map<std::string, bool*> flags{{"--silent", &add.silent},
                                           {"--no-name", &add.noName},
                                           {"--write-without-response", &add.writeWithoutResponse},
                                           {"--no-ffb0", &add.noCommandService}};
  for (std::size_t i = 3; i < words.size(); ++i) {
    if (auto flag = flags.find(words[i]); flag != flags.end()) {
      *flag->second = true;
    } else if (words[i] == "--id") {
      add.identifier = i + 1 < words.size() ? Uuid::parse(words[i + 1]) : std::nullopt;
      if (!add.identifier) return Error{"--id needs a UUID such as 4B49524F-0000-4000-8000-000000000001"};
      // The nil UUID is what the radio reads as "make one up": it would be ignored.
      if (*add.identifier == Uuid{}) return Error{"--id cannot be the nil UUID"};
      ++i;
    } else {
      return Error{"receiver add has no option " + words[i]};
    }
  }
  return add;
}

Result<ScriptCommand> receiverAction(const Words& words, script::ReceiverAction::Kind kind) {
  const bool notify = kind == script::ReceiverAction::Kind::notify;
  const std::string usage = notify ? "receiver notify ID HEX" : "receiver " + words[1] + " ID";
  if (words.size() != (notify ? 4u : 3u)) return Error{"expected " + usage};
  const auto identifier = Uuid::parse(words[2]);
  if (!identifier) return Error{"not a receiver identifier: " + words[2]};
  script::ReceiverAction action{kind, *identifier, {}};
  if (notify) {
    const auto bytes = hexBytes(words[3]);
    if (!bytes) return Error{"not hex bytes (two digits a byte): " + words[3]};
    action.bytes = *bytes;
  }
  return action;
}

Result<ScriptCommand> receiver(const Words& words) {
  using Kind = script::ReceiverAction::Kind;
  const std::string what = words.size() > 1 ? words[1] : "";
  if (what == "add") return addReceiver(words);
  if (what == "notify") return receiverAction(words, Kind::notify);
  if (what == "drop") return receiverAction(words, Kind::drop);
  if (what == "gone") return receiverAction(words, Kind::gone);
  return Error{"receiver needs add, notify, drop or gone"};
}

Result<ScriptCommand> radio(const Words& words) {
  if (words.size() != 2 || (words[1] != "on" && words[1] != "off")) return Error{"radio needs on or off"};
  return script::Radio{words[1] == "on"};
}

Result<ScriptCommand> timerPreset(const Words& words) {
  using Action = script::TimerPreset::Action;
  const std::string usage = "timer preset needs NAME, save NAME, rename NAME NEW or delete NAME";
  if (words.size() == 3 && words[2] != "save" && words[2] != "rename" && words[2] != "delete")
    return script::TimerPreset{Action::use, words[2], {}};
  if (words.size() == 4 && (words[2] == "save" || words[2] == "delete"))
    return script::TimerPreset{words[2] == "save" ? Action::save : Action::remove, words[3], {}};
  if (words.size() == 5 && words[2] == "rename") return script::TimerPreset{Action::rename, words[3], words[4]};
  return Error{usage};
}

Result<ScriptCommand> timer(const Words& words) {
  const std::string what = words.size() > 1 ? words[1] : "";
  if (what == "stop") return words.size() == 2 ? Result<ScriptCommand>(script::Timer{}) : Error{"timer stop takes no arguments"};
  if (what == "continue")
    return words.size() == 2 ? Result<ScriptCommand>(script::Timer{std::nullopt, true}) : Error{"timer continue takes no arguments"};
  if (what == "preset") return timerPreset(words);
  auto plan = parsePlanWords(Words(words.begin() + 1, words.end()));
  if (!plan.ok()) return Error{"timer: " + plan.error().message};
  return script::Timer{std::move(plan).value()};
}

Result<ScriptCommand> location(const Words& words) {
  if (words.size() == 2 && words[1] == "off") return script::SetLocation{};
  if (words.size() == 2 && words[1] == "auto") return script::FindLocation{};
  if (words.size() != 3) return Error{"location needs LAT LON in degrees, such as 47.37 8.54, auto or off"};
  const auto where = parseLocation(words[1] + " " + words[2]);
  if (!where.ok()) return Error{"location: " + where.error().message};
  return script::SetLocation{where.value()};
}

Result<ScriptCommand> command(const Words& words) {
  const std::string& verb = words[0];
  if (verb == "wait") return wait(words);
  if (verb == "press") return touch(words, ControlEvent::touchDown);
  if (verb == "release") return touch(words, ControlEvent::touchUpInside);
  if (verb == "release-outside") return touch(words, ControlEvent::touchUpOutside);
  if (verb == "tap") return tap(words);
  if (verb == "select") return select(words);
  if (verb == "dismiss") return noArguments(words, script::Dismiss{});
  if (verb == "state") return noArguments(words, script::State{});
  if (verb == "layout") return noArguments(words, script::Layout{});
  if (verb == "snapshot") return snapshot(words);
  if (verb == "window") return window(words);
  if (verb == "receiver") return receiver(words);
  if (verb == "radio") return radio(words);
  if (verb == "timer") return timer(words);
  if (verb == "location") return location(words);
  if (verb == "quit") return noArguments(words, script::Quit{});
  return Error{"unknown command " + verb};
}

}  // namespace

Result<std::optional<ScriptCommand>> parseScriptLine(std::string_view line) {
  const auto split = splitScriptWords(line);
  if (!split.ok()) return split.error();
  const auto& words = split.value();
  if (words.empty()) return std::nullopt;
  auto parsed = command(words);
  if (!parsed.ok()) return parsed.error();
  return std::move(parsed).value();
}

}  // namespace kiro
