#include "base/settings_file.h"

#include <algorithm>
#include <fstream>

#include "base/terminal_text.h"
#include "base/utf8.h"

namespace kiro {

namespace {

constexpr std::size_t kQuoteLimit = 80;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string trimmed(const std::string& line) {
  const auto first = std::find_if_not(line.begin(), line.end(), isSpace);
  const auto last = std::find_if_not(line.rbegin(), line.rend(), isSpace).base();
  return first < last ? std::string(first, last) : std::string();
}

bool isSetting(const std::string& line) {
  const std::string text = trimmed(line);
  if (text.empty()) return true;
  if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }))
    return false;
  if (text.front() == '[') return text.back() == ']';
  const auto equals = text.find('=');
  return equals != std::string::npos && equals > 0 && text.front() != ';' && text.front() != '#';
}

std::string quote(const std::string& line) {
  std::string text = validUtf8(trimmed(line));
  if (text.size() > kQuoteLimit) text = validUtf8(text.substr(0, kQuoteLimit)) + "...";
  return "\"" + terminalSafe(text) + "\"";
}

}  // namespace

Result<> checkSettingsFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (!isValidUtf8(line)) return Error{"line " + std::to_string(number) + " is not UTF-8 text"};
    if (!isSetting(line)) return Error{"line " + std::to_string(number) + " is not a setting: " + quote(line)};
  }
  return {};
}

}  // namespace kiro
