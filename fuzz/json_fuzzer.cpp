// Whatever a receiver's name or a script's text holds, an event line is one line of
// valid UTF-8 JSON that reads back as the text (its ill-formed bytes as U+FFFD).
#include <cstdint>
#include <optional>
#include <string>

#include "base/utf8.h"
#include "script/json.h"

using namespace kiro;

namespace {

// Reads one JSON string literal, as far as the writer escapes: nullopt when it is not one.
std::optional<std::string> readString(const std::string& json) {
  if (json.size() < 2 || json.front() != '"' || json.back() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    if (json[i] == '"') return std::nullopt;
    if (json[i] != '\\') {
      text += json[i];
      continue;
    }
    if (++i + 1 >= json.size()) return std::nullopt;
    const std::string simple = "\"\\nrtbf", meant = "\"\\\n\r\t\b\f";
    if (const auto at = simple.find(json[i]); at != std::string::npos) {
      text += meant[at];
    } else if (json[i] == 'u' && i + 5 < json.size() && json.compare(i + 1, 2, "00") == 0) {
      text += static_cast<char>(std::stoi(json.substr(i + 3, 2), nullptr, 16));
      i += 4;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string line = Json(text).dump();
  for (const unsigned char c : line)
    if (c < 0x20) __builtin_trap();
  if (!isValidUtf8(line) || readString(line) != validUtf8(text)) __builtin_trap();
  const std::string object = Json(Json::Object{{text, Json::Array{text, Json(static_cast<double>(size) / 3)}}}).dump();
  if (object.find('\n') != std::string::npos || !isValidUtf8(object)) __builtin_trap();
  return 0;
}
