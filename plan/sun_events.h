#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "base/result.h"
#include "plan/location.h"
#include "platform/wall_clock.h"

namespace kiro {

// The sun crossing a height, up in the morning or down in the evening: the sunrise and sunset,
// and the dawn and dusk of each twilight.
enum class SunEvent { sunrise, sunset, civilDawn, civilDusk, nauticalDawn, nauticalDusk, astroDawn, astroDusk };

// The event's word: "sunrise", "civil-dusk", "astro-dawn".
std::string_view sunEventName(SunEvent event);
std::optional<SunEvent> sunEventNamed(std::string_view name);

// When event happens at where on the local calendar day day (a local reading of midnight, kept
// as the wall clock keeps local readings: as if it were UTC); or, when it does not happen that
// day, why not, naming the event, the day and the place.
Result<WallTime> sunEventOn(SunEvent event, const Location& where, std::chrono::sys_days day, const WallClock& clock);

}  // namespace kiro
