#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <memory>

#include "codec/ble_data.h"
#include "codec/clock_record.h"
#include "platform/platform.h"

namespace kiro {

namespace {

using std::chrono::milliseconds;

// Read afresh on every call, so a change of the device's zone shows at once.
icu::TimeZone* deviceZone() { return icu::TimeZone::detectHostTimeZone(); }

UDate toUDate(Date date) {
  return static_cast<UDate>(std::chrono::floor<milliseconds>(date.time_since_epoch()).count());
}

// Date counts nanoseconds in 64 bits (about the years 1678 to 2261); a parsed date
// outside that span has no Date.
std::optional<Date> fromUDate(UDate millis) {
  constexpr auto limit = std::chrono::duration_cast<milliseconds>(Date::duration::max()).count();
  if (!(millis >= -static_cast<double>(limit) && millis <= static_cast<double>(limit))) return std::nullopt;
  return Date{std::chrono::duration_cast<Date::duration>(milliseconds{static_cast<std::int64_t>(millis)})};
}

// A formatter in the device's locale, calendar and time zone; null for a malformed pattern.
std::unique_ptr<icu::SimpleDateFormat> deviceFormatter(const std::string& pattern) {
  UErrorCode status = U_ZERO_ERROR;
  auto formatter = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(pattern),
                                                           icu::Locale::getDefault(), status);
  if (U_FAILURE(status)) return nullptr;
  formatter->adoptTimeZone(deviceZone());
  return formatter;
}

ZoneState zoneStateAt(const icu::TimeZone& zone, UDate at) {
  UErrorCode status = U_ZERO_ERROR;
  std::int32_t raw = 0;
  std::int32_t daylight = 0;
  zone.getOffset(at, false, raw, daylight, status);
  if (U_FAILURE(status)) raw = daylight = 0;
  // The abbreviation picks the zone code, so it must not vary with the user's language.
  icu::UnicodeString abbreviation;
  zone.getDisplayName(daylight != 0, icu::TimeZone::SHORT, icu::Locale::getUS(), abbreviation);
  ZoneState state;
  state.offsetSeconds = (raw + daylight) / 1000;
  abbreviation.toUTF8String(state.abbreviation);
  state.daylightSaving = daylight != 0;
  return state;
}

}  // namespace

std::string bleData::getNowDate() {
  return getDateWithStr("yyyy-MM-dd HH:mm:ss zzzz", std::chrono::system_clock::now());
}

std::string bleData::getDateWithStr(const std::string& pattern, Date date) {
  const auto formatter = deviceFormatter(pattern);
  if (!formatter) return {};
  icu::UnicodeString text;
  formatter->format(toUDate(date), text);
  std::string out;
  return text.toUTF8String(out);
}

std::string bleData::stringFromDateWithHourMin(Date date) { return getDateWithStr("HH:mm", date); }

std::optional<Date> bleData::dateFromString(const std::string& text) {
  std::string spaced = text;
  std::replace(spaced.begin(), spaced.end(), 'T', ' ');
  const auto formatter = deviceFormatter("yyyy-MM-dd HH:mm:ss");
  formatter->setLenient(false);
  const icu::UnicodeString input = icu::UnicodeString::fromUTF8(spaced);
  icu::ParsePosition position(0);
  const UDate parsed = formatter->parse(input, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
  return fromUDate(parsed);
}

std::int64_t bleData::getDayNumberWithDate(Date first, Date second) {
  UErrorCode status = U_ZERO_ERROR;
  icu::GregorianCalendar calendar(deviceZone(), icu::Locale::getDefault(), status);
  calendar.setTime(toUDate(first), status);
  const std::int32_t days = calendar.fieldDifference(toUDate(second), UCAL_DATE, status);
  return U_FAILURE(status) ? 0 : days;
}

std::string bleData::checkTime() {
  const Date now = std::chrono::system_clock::now();
  const std::unique_ptr<icu::TimeZone> zone(deviceZone());
  const std::string record = clockRecord(now, zoneStateAt(*zone, toUDate(now)));
  platform().log.print("========= 时间的16进制 ========== %@", record);
  return record;
}

}  // namespace kiro
