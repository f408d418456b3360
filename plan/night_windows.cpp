#include "plan/night_windows.h"

#include "plan/start_time.h"

namespace kiro {

namespace {
constexpr Millis kDay{24LL * 3600 * 1000};
// Half a day on from a night's start is past any hour the clocks repeat when they go back.
constexpr Millis kHalfDay{12LL * 3600 * 1000};
}  // namespace

Result<std::vector<NightWindow>> nightWindows(const ShootingPlan& plan, WallTime first, const WallClock& clock,
                                              const Result<std::optional<Location>>& where) {
  std::vector<NightWindow> result;
  for (int night = 0; night < plan.nights; ++night) {
    NightWindow window{first, std::nullopt};
    if (night > 0) {
      const auto start = nextStart(*plan.at, result.back().start + kHalfDay, kDay, clock, where);
      if (!start.ok()) return start.error();
      window.start = start.value();
      // A window that runs into the next night's ends where that one starts.
      if (*result.back().end > window.start) result.back().end = window.start;
    }
    if (plan.until) {
      const auto end = nextStart(*plan.until, window.start, kDay, clock, where);
      if (!end.ok()) return end.error();
      window.end = end.value();
    }
    result.push_back(window);
  }
  return result;
}

}  // namespace kiro
