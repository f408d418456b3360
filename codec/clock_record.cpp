#include "codec/clock_record.h"

#include "codec/ble_data.h"

namespace kiro {

namespace {

// The receiver's zone code: offsets written as "GMT+h" count up from 120, all others
// count down from 120 by the whole hours east.
std::int64_t zoneCode(const ZoneState& zone) {
  const std::int64_t hours = zone.offsetSeconds / 3600;
  if (zone.abbreviation.starts_with("GMT+")) return 120 + 10 * hours;
  return (12 - hours) * 10;
}

}  // namespace

std::string clockRecord(Date instant, const ZoneState& zone) {
  using namespace std::chrono;
  const auto local = floor<seconds>(instant) + seconds{zone.offsetSeconds};
  const auto day = floor<days>(local);
  const year_month_day date{day};
  const hh_mm_ss time{local - day};
  const auto hour = time.hours().count();

  std::string record = bleData::intToLittle(bleData::getHex(static_cast<int>(date.year()), 2), 4);
  for (std::int64_t field : {
           std::int64_t{static_cast<unsigned>(date.month())},
           std::int64_t{static_cast<unsigned>(date.day())},
           std::int64_t{hour},
           std::int64_t{time.minutes().count()},
           std::int64_t{time.seconds().count()},
           std::int64_t{weekday{day}.iso_encoding() - 1},
           std::int64_t{1},
           std::int64_t{hour < 12 ? 0 : 1},
           std::int64_t{zone.daylightSaving ? 1 : 0},
           zoneCode(zone),
       })
    record += bleData::getHex(field, 1);
  return record;
}

}  // namespace kiro
