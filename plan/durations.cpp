#include "plan/durations.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace kiro {

namespace {

struct Unit {
  std::string_view name;
  std::int64_t millis;
};
// Largest first: a typed value names them in this order, each once.
constexpr std::array<Unit, 4> kUnits{{{"h", 3'600'000}, {"m", 60'000}, {"s", 1000}, {"ms", 1}}};

const std::string kExamples = " (such as 500ms, 10s, 2m, 1h30m or 1:30:00)";

bool digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Digits at text[at...], moving at past them; nullopt when there are none or too many.
std::optional<std::int64_t> digits(std::string_view text, std::size_t& at, std::size_t* count = nullptr) {
  const std::size_t begin = at;
  std::int64_t value = 0;
  while (at < text.size() && digit(text[at])) {
    if (at - begin >= 12) return std::nullopt;
    value = value * 10 + (text[at++] - '0');
  }
  if (count) *count = at - begin;
  return at == begin ? std::nullopt : std::optional(value);
}

Result<Millis> withinRange(std::int64_t millis) {
  if (millis > kLongestDuration.count()) return Error{"longer than " + durationText(kLongestDuration)};
  return Millis{millis};
}

Result<Millis> clockReading(std::string_view text) {
  std::vector<std::int64_t> parts;
  std::size_t at = 0;
  while (true) {
    const auto part = digits(text, at);
    if (!part) return Error{"not a clock reading: " + std::string(text) + kExamples};
    parts.push_back(*part);
    if (at == text.size()) break;
    if (text[at++] != ':') return Error{"not a clock reading: " + std::string(text) + kExamples};
  }
  if (parts.size() > 3) return Error{"not a clock reading: " + std::string(text) + " (H:MM:SS or M:SS)"};
  std::int64_t seconds = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0 && parts[i] > 59) return Error{"minutes and seconds go up to 59: " + std::string(text)};
    seconds = seconds * 60 + parts[i];
  }
  return withinRange(seconds * 1000);
}

// seconds with up to three decimals, trailing zeros dropped.
std::string seconds(std::int64_t millis) {
  std::string text = std::to_string(millis / 1000);
  if (const auto rest = millis % 1000; rest != 0) {
    std::string fraction = std::to_string(1000 + rest).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += "." + fraction;
  }
  return text;
}

}  // namespace

Result<Millis> parseDuration(std::string_view text) {
  if (text.empty()) return Error{"no duration given" + kExamples};
  if (text.find(':') != std::string_view::npos) return clockReading(text);
  std::int64_t total = 0;
  std::size_t at = 0, nextUnit = 0;
  while (at < text.size()) {
    std::size_t decimals = 0;
    const auto whole = digits(text, at);
    std::int64_t fraction = 0;
    if (whole && at < text.size() && text[at] == '.') {
      ++at;
      fraction = digits(text, at, &decimals).value_or(-1);
    }
    if (!whole || fraction < 0) return Error{"not a duration: " + std::string(text) + kExamples};
    std::size_t unit = nextUnit;
    while (unit < kUnits.size() && !text.substr(at).starts_with(kUnits[unit].name)) ++unit;
    // "m" would also match the start of "ms".
    if (unit == 1 && text.substr(at).starts_with("ms")) unit = 3;
    if (unit == kUnits.size()) return Error{"no unit (h, m, s or ms), or units out of order, in " + std::string(text) + kExamples};
    at += kUnits[unit].name.size();
    nextUnit = unit + 1;
    std::int64_t scale = 1;
    for (std::size_t i = 0; i < decimals; ++i) scale *= 10;
    if (decimals > 3 || (fraction * kUnits[unit].millis) % scale != 0)
      return Error{"finer than a millisecond: " + std::string(text)};
    total += *whole * kUnits[unit].millis + fraction * kUnits[unit].millis / scale;
    if (total > kLongestDuration.count()) return withinRange(total);
  }
  return withinRange(total);
}

std::string durationText(Millis duration) {
  const std::int64_t millis = duration.count();
  const std::int64_t hours = millis / 3'600'000, minutes = millis / 60'000 % 60, rest = millis % 60'000;
  std::string text;
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
  if (hours > 0) add(std::to_string(hours) + " h");
  if (minutes > 0) add(std::to_string(minutes) + " min");
  if (rest > 0 || text.empty()) add(seconds(rest) + " s");
  return text;
}

std::string durationWords(Millis duration) {
  const std::int64_t millis = duration.count();
  if (millis < 1000 && millis > 0) return std::to_string(millis) + "ms";
  const std::int64_t hours = millis / 3'600'000, minutes = millis / 60'000 % 60, rest = millis % 60'000;
  std::string text;
  if (hours > 0) text += std::to_string(hours) + "h";
  if (minutes > 0) text += std::to_string(minutes) + "m";
  if (rest > 0 || text.empty()) text += seconds(rest) + "s";
  return text;
}

std::string timeOfDayText(int minuteOfDay) {
  const std::string hours = std::to_string(100 + minuteOfDay / 60), minutes = std::to_string(100 + minuteOfDay % 60);
  return hours.substr(1) + ":" + minutes.substr(1);
}

std::optional<int> parseTimeOfDay(std::string_view text) {
  std::size_t at = 0, minuteDigits = 0;
  const auto hour = digits(text, at);
  if (!hour || at == text.size() || text[at++] != ':') return std::nullopt;
  const auto minute = digits(text, at, &minuteDigits);
  if (!minute || at != text.size() || minuteDigits != 2 || *hour > 23 || *minute > 59) return std::nullopt;
  return static_cast<int>(*hour * 60 + *minute);
}

}  // namespace kiro
