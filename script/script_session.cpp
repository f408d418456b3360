#include "script/script_session.h"

#include "script/script_parser.h"
#include "platform/platform.h"

namespace kiro {

ScriptSession::ScriptSession(AppDelegate& delegate, UiEvents& ui, SimulatedRadio* radio, std::ostream& events,
                             std::ostream& errors)
    : delegate_(delegate),
      radio_(radio),
      errors_(errors),
      events_(events, platform().runLoop),
      appEvents_(delegate, ui, radio, events_) {}

ScriptStep ScriptSession::next(std::istream& input) {
  if (ended_) return *ended_;
  std::string line;
  while (std::getline(input, line)) {
    ++lineNumber_;
    const auto parsed = parseScriptLine(line);
    if (parsed.error) return fail(*parsed.error);
    if (!parsed.command) continue;
    const Outcome outcome = std::visit([this](const auto& command) { return perform(command); }, *parsed.command);
    if (const auto* step = std::get_if<ScriptStep>(&outcome)) return *step;
    if (const auto* error = std::get_if<std::string>(&outcome)) return fail(*error);
  }
  return finish();
}

ScriptStep ScriptSession::end(ScriptStep step) {
  ended_ = step;
  return step;
}

ScriptStep ScriptSession::fail(const std::string& message) {
  errors_ << "script line " << lineNumber_ << ": " << message << std::endl;
  return end({ScriptStep::Kind::failed, Millis{0}, 2});
}

ScriptStep ScriptSession::finish() {
  // As the platform ends an application: the delegate saves the object store.
  delegate_.applicationWillTerminate();
  return end({ScriptStep::Kind::finished, Millis{0}, 0});
}

ScriptSession::Outcome ScriptSession::perform(const script::Wait& command) {
  return ScriptStep{ScriptStep::Kind::wait, command.duration, 0};
}

ScriptSession::Outcome ScriptSession::perform(const script::Quit&) { return finish(); }

}  // namespace kiro
