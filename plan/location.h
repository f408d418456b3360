#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/location_service.h"
#include "platform/notices.h"
#include "platform/user_defaults.h"

namespace kiro {

// Where the user is, for the sun's events: degrees north and east.
struct Location {
  double latitude = 0;
  double longitude = 0;
  friend bool operator==(const Location&, const Location&) = default;
};

// "LAT LON" in decimal degrees, such as "47.37 8.54" or "-33.87 151.21", each with at most 6
// decimals; or why not.
Result<Location> parseLocation(std::string_view text);
// where as parseLocation reads it back: "47.37 8.54".
std::string locationWords(const Location& where);

// The location kept in the user defaults: none when none is, or why the kept one cannot be read.
Result<std::optional<Location>> keptLocation(const UserDefaults& defaults);
// Keeps where, or with none forgets the one kept.
void keepLocation(UserDefaults& defaults, const std::optional<Location>& where);
// Keeps the position the system found, rounded to 2 decimals (all a sun time needs), and says
// so; or says why there is none, and the one kept stays.
void keepFoundLocation(UserDefaults& defaults, Notices& notices, const Result<Position>& found);

}  // namespace kiro
