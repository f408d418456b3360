#pragma once

#include <concepts>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

namespace detail {
template <typename T>
std::string logText(const T& value) {
  if constexpr (std::convertible_to<const T&, std::string_view>) {
    return std::string(std::string_view(value));
  } else if constexpr (std::convertible_to<const T&, std::string>) {
    return std::string(value);
  } else {
    std::ostringstream out;
    out << value;
    return out.str();
  }
}
std::string substitute(std::string_view pattern, const std::vector<std::string>& args);
}  // namespace detail

// Fills a printf-style pattern ("%@", "%d", "%ld", "%lu") with the arguments in order,
// so log lines keep their original wording.
template <typename... Args>
std::string format(std::string_view pattern, const Args&... args) {
  return detail::substitute(pattern, {detail::logText(args)...});
}

// The system log: one free-form line per call, without levels or prefixes.
class Log {
 public:
  virtual ~Log() = default;
  // Whether lines are shown. The app logs dozens of lines a frame: when nobody listens,
  // none of them may cost a formatted string.
  virtual bool listening() const { return true; }
  virtual void line(std::string_view text) = 0;

  // A line from a pattern (see format), filled only when someone listens.
  template <typename... Args>
  void print(std::string_view pattern, const Args&... args) {
    if (listening()) line(format(pattern, args...));
  }
};

class StderrLog final : public Log {
 public:
  void line(std::string_view text) override;
};

// Keeps every line, for tests that check what was logged.
class CapturingLog final : public Log {
 public:
  void line(std::string_view text) override { lines.emplace_back(text); }
  bool contains(std::string_view text) const;
  std::vector<std::string> lines;
};

}  // namespace kiro
