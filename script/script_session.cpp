#include "script/script_session.h"

#include <string_view>
#include <utility>

#include "script/script_parser.h"
#include "platform/platform.h"
#include "base/terminal_text.h"

namespace kiro {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Messages quote the bad line; a huge line is cut, not echoed whole.
constexpr std::size_t kMessageLimit = 300;
// A service that has not found the position by then may take minutes more (a cold GPS).
constexpr Millis kLocationTimeout{30'000};

// message cut after kMessageLimit bytes, at the start of a UTF-8 character.
std::string shortened(const std::string& message) {
  if (message.size() <= kMessageLimit) return message;
  std::size_t cut = kMessageLimit;
  while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) --cut;
  return message.substr(0, cut) + "... (" + std::to_string(message.size() - cut) + " more bytes)";
}

// Reads the next line of input, without its newline, into line; false at the end of input.
// A line longer than kMaxLineBytes sets tooLong as soon as it passes the limit, read no further.
bool readLine(std::istream& input, std::string& line, bool& tooLong) {
  constexpr int kEnd = std::char_traits<char>::eof();
  std::streambuf& bytes = *input.rdbuf();
  line.clear();
  tooLong = false;
  int c = bytes.sbumpc();
  if (c == kEnd) return false;
  for (; c != kEnd && c != '\n'; c = bytes.sbumpc()) {
    if (line.size() == ScriptSession::kMaxLineBytes) {
      tooLong = true;
      break;
    }
    line += static_cast<char>(c);
  }
  return true;
}

}  // namespace

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
  for (bool tooLong = false; readLine(input, line, tooLong);) {
    if (tooLong) return lineTooLong();
    if (auto step = runLine(std::move(line))) return *step;
  }
  return inputEnded();
}

std::optional<ScriptStep> ScriptSession::runLine(std::string line) {
  if (ended_) return ended_;
  ++lineNumber_;
  // Editors on some systems start a UTF-8 file with a byte-order mark.
  if (lineNumber_ == 1 && line.rfind(kByteOrderMark, 0) == 0) line.erase(0, kByteOrderMark.size());
  const auto parsed = parseScriptLine(line);
  if (!parsed.ok()) return fail(parsed.error().message);
  if (!parsed.value()) return std::nullopt;
  const Outcome outcome = std::visit([this](const auto& command) { return perform(command); }, *parsed.value());
  if (!outcome.ok()) return fail(outcome.error().message);
  return outcome.value();
}

ScriptStep ScriptSession::lineTooLong() {
  if (ended_) return *ended_;
  ++lineNumber_;
  return fail("the line is longer than 1 MiB");
}

ScriptStep ScriptSession::inputEnded() { return ended_ ? *ended_ : finish(); }

ScriptStep ScriptSession::end(ScriptStep step) {
  ended_ = step;
  return step;
}

ScriptStep ScriptSession::fail(const std::string& message) {
  errors_ << "script line " << lineNumber_ << ": " << terminalSafe(shortened(message)) << std::endl;
  return end({ScriptStep::Kind::failed, Millis{0}, 2});
}

ScriptStep ScriptSession::finish() {
  return end({ScriptStep::Kind::finished, Millis{0}, 0});
}

ScriptSession::Outcome ScriptSession::perform(const script::Wait& command) {
  return ScriptStep{ScriptStep::Kind::wait, command.duration, 0};
}

ScriptSession::Outcome ScriptSession::perform(const script::Quit&) { return finish(); }

ScriptSession::Outcome ScriptSession::perform(const script::SetLocation& command) {
  keepLocation(platform().defaults, command.where);
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::FindLocation&) {
  if (!location_) return Error{"location auto: this run has no location service"};
  answered_ = false;
  location_->locate(kLocationTimeout, lifetime_.guard([this](const Result<Position>& found) {
    keepFoundLocation(platform().defaults, platform().notices, found);
    answered_ = true;
    if (auto resume = std::exchange(resume_, nullptr)) resume();
  }));
  if (answered_) return std::nullopt;
  return ScriptStep{ScriptStep::Kind::answer, kLocationTimeout, 0};
}

}  // namespace kiro
