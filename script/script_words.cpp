#include "script/script_words.h"

namespace kiro {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

Result<std::vector<std::string>> splitScriptWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    if (isSpace(line[at])) {
      ++at;
      continue;
    }
    if (line[at] == '#') break;
    if (line[at] == '"') {
      const std::size_t close = line.find('"', at + 1);
      if (close == std::string_view::npos) return Error{"a quote is left open"};
      if (close + 1 < line.size() && !isSpace(line[close + 1]) && line[close + 1] != '#')
        return Error{"a quoted argument runs into the next one"};
      words.emplace_back(line.substr(at + 1, close - at - 1));
      at = close + 1;
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && !isSpace(line[end]) && line[end] != '#') {
      if (line[end] == '"') return Error{"a quote inside an argument"};
      ++end;
    }
    words.emplace_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

}  // namespace kiro
