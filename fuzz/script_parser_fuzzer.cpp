// Any line's words, quoted again, read back as the same words and the same verdict.
#include <cstdint>
#include <string>
#include <string_view>

#include "script/script_parser.h"
#include "script/script_words.h"

using namespace kiro;

namespace {

// The words as a script line, each quoted where it needs to be; nullopt when a word holds
// a quote, which no line can say.
std::optional<std::string> quoted(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& word : words) {
    if (word.find('"') != std::string::npos) return std::nullopt;
    const bool plain = !word.empty() && word.find_first_of(" \t\r#") == std::string::npos;
    line += (line.empty() ? "" : " ") + (plain ? word : '"' + word + '"');
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    const auto parsed = parseScriptLine(line);
    const auto words = splitScriptWords(line);
    const auto again = words.ok() ? quoted(words.value()) : std::nullopt;
    if (!again) continue;
    const auto split = splitScriptWords(*again);
    if (!split.ok() || split.value() != words.value()) __builtin_trap();
    const auto reparsed = parseScriptLine(*again);
    if (reparsed.ok() != parsed.ok()) __builtin_trap();
    if (!parsed.ok() && reparsed.error().message != parsed.error().message) __builtin_trap();
    if (parsed.ok() && reparsed.value().has_value() != parsed.value().has_value()) __builtin_trap();
  }
  return 0;
}
