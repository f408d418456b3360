#pragma once

#include <optional>

#include "base/result.h"
#include "plan/location.h"
#include "plan/schedule.h"
#include "platform/wall_clock.h"
#include "ui/geometry.h"
#include "ui/picture.h"

namespace kiro {

// What the chart draws with.
inline constexpr Pixel kChartSky{18, 20, 30, 255};      // outside the plan's windows
inline constexpr Pixel kChartWindow{48, 52, 78, 255};   // a night's window
inline constexpr Pixel kChartBulb{252, 211, 0, 255};    // the bulb, on a scale of stops
inline constexpr Pixel kChartInterval{120, 200, 255, 255};
inline constexpr Pixel kChartSunrise{255, 140, 40, 255};  // sunrise and sunset; the twilights dimmer

// schedule, laid out from now on clock, drawn small into size points at scale: each night's
// window as a band, the sun's events at where (if it is known) as upright lines, and the bulb
// (in stops, from the shortest to the longest) and the interval (from zero) over time. It is
// sampled per column of pixels, so a long plan costs no more than a short one to draw.
Picture nightChart(const Schedule& schedule, const WallClock& clock, const Result<std::optional<Location>>& where,
                   const Size& size, double scale);

}  // namespace kiro
