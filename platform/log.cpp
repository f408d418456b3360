#include "platform/log.h"

#include <algorithm>
#include <array>
#include <iostream>

#include "base/terminal_text.h"

namespace kiro {

void StderrLog::line(std::string_view text) { std::cerr << terminalSafe(text) << '\n'; }

bool CapturingLog::contains(std::string_view text) const {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

namespace detail {

std::string substitute(std::string_view pattern, const std::vector<std::string>& args) {
  static constexpr std::array<std::string_view, 4> kSpecifiers{"%@", "%ld", "%lu", "%d"};
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size();) {
    bool replaced = false;
    if (pattern[i] == '%' && next < args.size()) {
      for (auto specifier : kSpecifiers) {
        if (pattern.substr(i, specifier.size()) == specifier) {
          out += args[next++];
          i += specifier.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += pattern[i++];
  }
  return out;
}

}  // namespace detail
}  // namespace kiro
