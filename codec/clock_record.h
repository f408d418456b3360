#pragma once

#include <cstdint>
#include <string>

#include "codec/date.h"

namespace kiro {

// What a time zone reports about itself at one instant.
struct ZoneState {
  std::int32_t offsetSeconds = 0;  // from GMT, east positive, daylight saving included
  std::string abbreviation;        // such as "GMT", "GMT+8" or "EDT"
  bool daylightSaving = false;
};

// The 12-byte upper-case hex clock record of instant as seen in zone: year (low byte
// first), month, day, hour, minute, second, weekday (Monday 0), 1, half of day, daylight
// saving and zone code, one byte each. A zone code outside 0-255 makes its field longer.
std::string clockRecord(Date instant, const ZoneState& zone);

}  // namespace kiro
