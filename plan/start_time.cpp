#include "plan/start_time.h"

#include <cctype>

#include "plan/durations.h"

namespace kiro {

namespace {

using std::chrono::days;

// The most a clock change moves the local time.
constexpr std::chrono::hours kClockChange{2};
// A start is looked for up to this many days ahead.
constexpr Millis kDaysAhead{3LL * 24 * 3600 * 1000};

Result<StartTime> sunTime(std::string_view words) {
  // The offset's sign is the first + or - before a digit: the events' own hyphens come before letters.
  const auto beforeDigit = [words](std::size_t at) {
    return at + 1 < words.size() && std::isdigit(static_cast<unsigned char>(words[at + 1]));
  };
  auto sign = words.find_first_of("+-");
  while (sign != std::string_view::npos && !beforeDigit(sign)) sign = words.find_first_of("+-", sign + 1);
  StartTime start;
  start.sun = sunEventNamed(words.substr(0, sign));
  if (!start.sun) return Error{"not a start time: " + std::string(words) + " (HH:MM, or a sun event such as sunset+20m)"};
  if (sign == std::string_view::npos) return start;
  const auto offset = parseDuration(words.substr(sign + 1));
  if (!offset.ok()) return offset.error();
  start.offset = words[sign] == '-' ? -offset.value() : offset.value();
  if (auto checked = checkStartTime(start); !checked.ok()) return checked.error();
  return start;
}

Result<WallTime> nextSunTime(SunEvent event, Millis offset, WallTime after, Millis within, const WallClock& clock,
                             const Location& where) {
  const auto first = std::chrono::floor<days>(after + clock.utcOffset(after));
  const auto last = std::chrono::floor<days>(after + within + clock.utcOffset(after + within));
  // The day before's event comes first: with an offset its moment may still be to come.
  std::optional<Error> missing;
  for (auto day = first - days{1}; day <= last + days{1}; day += days{1}) {
    // A day's event is within its local day, give or take a clock change: a day that cannot
    // hold the moment is not worked out, for the sun's place is costly.
    const WallTime midnight = WallTime{day} - clock.utcOffset(WallTime{day});
    if (midnight + days{1} + kClockChange + offset <= after) continue;
    if (midnight - kClockChange + offset > after + within) break;
    const auto at = sunEventOn(event, where, day, clock);
    if (at.ok() && at.value() + offset > after && at.value() + offset <= after + within) return at.value() + offset;
    if (!at.ok() && !missing && day >= first) missing = at.error();
  }
  // Every day had its event, and all are out of reach: only an offset beyond its bound does that.
  return missing ? *missing : Error{Text("an offset from a sun event is at most %1", durationText(kLongestSunOffset))};
}

}  // namespace

Result<StartTime> parseStartTime(std::string_view words) {
  if (const auto minute = parseTimeOfDay(words)) return StartTime{std::nullopt, *minute, Millis{0}};
  if (words.find(':') != std::string_view::npos)
    return Error{"not a time of day: " + std::string(words) + " (HH:MM, from 00:00 to 23:59)"};
  return sunTime(words);
}

std::string startTimeWords(const StartTime& start) {
  if (!start.sun) return timeOfDayText(start.minuteOfDay);
  std::string words(sunEventName(*start.sun));
  if (start.offset > Millis{0}) words += "+" + durationWords(start.offset);
  if (start.offset < Millis{0}) words += "-" + durationWords(-start.offset);
  return words;
}

Result<> checkStartTime(const StartTime& start) {
  if (!start.sun && (start.minuteOfDay < 0 || start.minuteOfDay >= 24 * 60))
    return Error{Text("a start time is from 00:00 to 23:59")};
  if (start.sun && (start.offset > kLongestSunOffset || start.offset < -kLongestSunOffset))
    return Error{Text("an offset from a sun event is at most %1", durationText(kLongestSunOffset))};
  return {};
}

Result<WallTime> nextStart(const StartTime& start, WallTime after, Millis within, const WallClock& clock,
                           const Result<std::optional<Location>>& where) {
  if (!start.sun) return nextTimeOfDay(clock, after, start.minuteOfDay);
  const std::string words = startTimeWords(start);
  if (!where.ok())
    return Error{Text("a start at %1 needs a location, and the one kept cannot be used: %2", words, where.error().text)};
  if (!where.value()) return Error{Text("a start at %1 needs a location: location LAT LON", words)};
  return nextSunTime(*start.sun, start.offset, after, within, clock, *where.value());
}

Result<Millis> untilStart(const StartTime& start, const WallClock& clock, const Result<std::optional<Location>>& where) {
  const WallTime now = clock.now();
  const auto at = nextStart(start, now, kDaysAhead, clock, where);
  if (!at.ok()) return at.error();
  return at.value() - now;
}

}  // namespace kiro
