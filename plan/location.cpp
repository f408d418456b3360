#include "plan/location.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace kiro {

namespace {

const char* const kKey = "location";
constexpr std::size_t kMostDecimals = 6;

bool digits(std::string_view text) {
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  return !text.empty() && std::all_of(text.begin(), text.end(), digit);
}

// One coordinate: an optional minus, up to three digits, and up to six decimals. Spelled out
// here, as from_chars alone would also take "inf", "nan" and exponents.
std::optional<double> degrees(std::string_view text) {
  const std::string_view unsigned_ = text.starts_with('-') ? text.substr(1) : text;
  const auto point = unsigned_.find('.');
  const std::string_view whole = unsigned_.substr(0, point);
  const std::string_view decimals = point == std::string_view::npos ? "0" : unsigned_.substr(point + 1);
  if (!digits(whole) || whole.size() > 3 || !digits(decimals) || decimals.size() > kMostDecimals) return std::nullopt;
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  // No negative zero, so that it reads back as it was typed.
  return value == 0 ? 0.0 : value;
}

std::string degreesWords(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  std::string words = text;
  while (words.back() == '0') words.pop_back();
  if (words.back() == '.') words.pop_back();
  return words;
}

}  // namespace

Result<Location> parseLocation(std::string_view text) {
  const auto space = text.find(' ');
  const auto latitude = space == std::string_view::npos ? std::nullopt : degrees(text.substr(0, space));
  const auto longitude = space == std::string_view::npos ? std::nullopt : degrees(text.substr(space + 1));
  if (!latitude || !longitude)
    return Error{Text("a location is LAT LON in degrees with at most 6 decimals, such as 47.37 8.54: not %1",
                      std::string(text))};
  if (*latitude < -90 || *latitude > 90)
    return Error{Text("a latitude is from -90 to 90: not %1", std::string(text.substr(0, space)))};
  if (*longitude < -180 || *longitude > 180)
    return Error{Text("a longitude is from -180 to 180: not %1", std::string(text.substr(space + 1)))};
  return Location{*latitude, *longitude};
}

std::string locationWords(const Location& where) {
  return degreesWords(where.latitude) + " " + degreesWords(where.longitude);
}

Result<std::optional<Location>> keptLocation(const UserDefaults& defaults) {
  const auto kept = defaults.string(kKey);
  if (!kept || kept->empty()) return std::optional<Location>{};
  const auto where = parseLocation(*kept);
  if (!where.ok()) return where.error();
  return std::optional(where.value());
}

void keepLocation(UserDefaults& defaults, const std::optional<Location>& where) {
  defaults.reload();
  defaults.set(kKey, where ? locationWords(*where) : "");
}

void keepFoundLocation(UserDefaults& defaults, Notices& notices, const Result<Position>& found) {
  char words[64] = "";
  if (found.ok()) std::snprintf(words, sizeof words, "%.2f %.2f", found.value().latitude, found.value().longitude);
  // Read back as a typed one is, so that a service's nonsense is refused as a person's would be.
  const auto where = found.ok() ? parseLocation(words) : Result<Location>(found.error());
  if (!where.ok()) {
    notices.say("the system's location cannot be used: " + where.error().message);
    return;
  }
  keepLocation(defaults, where.value());
  notices.say("location from the system: " + locationWords(where.value()));
}

}  // namespace kiro
