#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "plan/plan_words.h"
#include "plan/schedule.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/sim/virtual_wall_clock.h"
#include "screens/timer/night_chart.h"

namespace {

using namespace std::chrono;

kiro::ShootingPlan planOf(const std::string& words) {
  std::vector<std::string> split;
  std::istringstream in(words);
  for (std::string word; in >> word;) split.push_back(word);
  return kiro::parsePlanWords(split).value();
}

// A plan laid out from noon on 15 September 2027 in Zurich: its sun events, nights and shots.
// Each run starts a year after the one before: the same nights, and no sun event found by one
// kept for the next.
void schedule(benchmark::State& state, const std::string& words, bool charted) {
  kiro::VirtualRunLoop loop;
  kiro::VirtualWallClock clock(loop, sys_days{September / 15 / 2027} + 12h);
  clock.setOffset(kiro::WallTime{}, 2h);
  const auto plan = planOf(words);
  const kiro::Result<std::optional<kiro::Location>> zurich{std::optional<kiro::Location>(kiro::Location{47.37, 8.54})};
  int shots = 0;
  for (auto _ : state) {
    loop.advance(days{365});
    const auto laid = kiro::schedulePlan(plan, clock, zurich);
    shots = *laid.value().count();
    benchmark::DoNotOptimize(shots);
    // As the night screen draws it: 335 x 120 points at the phone's scale.
    if (charted) benchmark::DoNotOptimize(kiro::nightChart(laid.value(), clock, zurich, {335, 120}, 2).pixelWidth());
  }
  state.counters["shots"] = shots;
}

// The baseline: a plain 300-shot series, whose shots follow its even steps.
void BM_PlanPlain300(benchmark::State& state) { schedule(state, "interval 5s 300 --bulb 1s", state.range(0) != 0); }
BENCHMARK(BM_PlanPlain300)->ArgName("chart")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A week of day-to-night nights, each from sunset to sunrise, keyframed at sunset and
// nautical dusk: every shot laid out, each night's sun events found; and then its chart.
void BM_PlanSevenKeyframedNights(benchmark::State& state) {
  schedule(state, "interval 36s --until sunrise --at sunset --nights 7 --key sunset=500ms/5s --key nautical-dusk=20s/36s",
           state.range(0) != 0);
}
BENCHMARK(BM_PlanSevenKeyframedNights)->ArgName("chart")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
