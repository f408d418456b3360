#include "plan/sun_events.h"

#include <libnova/julian_day.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace kiro {

namespace {

using std::chrono::days;

struct Kind {
  SunEvent event;
  std::string_view name;
  double horizon;  // the height of the sun's centre, in degrees
  bool rising;
};
constexpr std::array<Kind, 8> kKinds{{
    {SunEvent::sunrise, "sunrise", LN_SOLAR_STANDART_HORIZON, true},
    {SunEvent::sunset, "sunset", LN_SOLAR_STANDART_HORIZON, false},
    {SunEvent::civilDawn, "civil-dawn", LN_SOLAR_CIVIL_HORIZON, true},
    {SunEvent::civilDusk, "civil-dusk", LN_SOLAR_CIVIL_HORIZON, false},
    {SunEvent::nauticalDawn, "nautical-dawn", LN_SOLAR_NAUTIC_HORIZON, true},
    {SunEvent::nauticalDusk, "nautical-dusk", LN_SOLAR_NAUTIC_HORIZON, false},
    {SunEvent::astroDawn, "astro-dawn", LN_SOLAR_ASTRONOMICAL_HORIZON, true},
    {SunEvent::astroDusk, "astro-dusk", LN_SOLAR_ASTRONOMICAL_HORIZON, false},
}};

const Kind& kind(SunEvent event) { return kKinds[static_cast<std::size_t>(event)]; }

// The Julian day of an instant: days since noon UT on 1 January 4713 BC.
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kMillisADay = 86'400'000.0;

double julianDay(WallTime at) { return kUnixEpochJulianDay + static_cast<double>(at.time_since_epoch().count()) / kMillisADay; }

WallTime instant(double julianDay) {
  return WallTime{Millis{std::llround((julianDay - kUnixEpochJulianDay) * kMillisADay)}};
}

std::string dateText(std::chrono::sys_days day) {
  const std::chrono::year_month_day date{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

std::string horizonText(double horizon) {
  char text[16];
  std::snprintf(text, sizeof text, "%g\xC2\xB0", std::round(horizon * 100) / 100);
  return text;
}

// The sun's height in degrees half a day after its transit at noon, the lowest of its day.
double lowestHeight(double transit, ln_lnlat_posn& observer) {
  const double midnight = transit + 0.5;
  ln_equ_posn sun{};
  ln_get_solar_equ_coords(midnight, &sun);
  ln_hrz_posn height{};
  ln_get_hrz_from_equ(&sun, &observer, midnight, &height);
  return height.alt;
}

// The sun's rise, transit and set in the day from an instant, and whether it stays up or down.
struct RiseAndSet {
  int circumpolar = 0;
  ln_rst_time times{};
};

// A plan asks for the same few days again and again (each night's start, end and keyframes),
// and each costs about a millisecond of the sun's series: the last few answers are kept.
RiseAndSet riseAndSet(double julianDay, ln_lnlat_posn observer, double horizon) {
  struct Kept {
    double julianDay, longitude, latitude, horizon;
    RiseAndSet answer;
  };
  thread_local std::array<Kept, 32> kept{};
  thread_local std::size_t next = 0;
  for (const Kept& each : kept)
    if (each.julianDay == julianDay && each.longitude == observer.lng && each.latitude == observer.lat && each.horizon == horizon)
      return each.answer;
  RiseAndSet answer;
  answer.circumpolar = ln_get_solar_rst_horizon(julianDay, &observer, horizon, &answer.times);
  kept[next++ % kept.size()] = {julianDay, observer.lng, observer.lat, horizon, answer};
  return answer;
}

}  // namespace

std::string_view sunEventName(SunEvent event) { return kind(event).name; }

std::optional<SunEvent> sunEventNamed(std::string_view name) {
  for (const auto& each : kKinds)
    if (each.name == name) return each.event;
  return std::nullopt;
}

Result<WallTime> sunEventOn(SunEvent event, const Location& where, std::chrono::sys_days day, const WallClock& clock) {
  const Kind& what = kind(event);
  // The day's local midnight as an instant: the reading less the offset in force about then.
  const WallTime midnight = WallTime{day} - clock.utcOffset(WallTime{day} - clock.utcOffset(WallTime{day}));
  // East is positive in libnova too.
  ln_lnlat_posn observer{where.longitude, where.latitude};
  // The rise and set in the day from the instant given.
  const auto [circumpolar, times] = riseAndSet(julianDay(midnight), observer, what.horizon);
  const WallTime at = instant(what.rising ? times.rise : times.set);
  if (circumpolar == 0 && std::chrono::floor<days>(at + clock.utcOffset(at)) == day) return at;
  // Next to the days without it, what libnova finds may be the day before's: then the sun's
  // lowest of the day says which way it stays.
  const bool above = circumpolar == 0 ? lowestHeight(times.transit, observer) > what.horizon : circumpolar > 0;
  const std::string name(what.name), date = dateText(day), place = locationWords(where), height = horizonText(what.horizon);
  if (above) return Error{Text("no %1 on %2 at %3: the sun stays above %4", name, date, place, height)};
  return Error{Text("no %1 on %2 at %3: the sun stays below %4", name, date, place, height)};
}

}  // namespace kiro
