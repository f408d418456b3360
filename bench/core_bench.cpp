#include <benchmark/benchmark.h>

#include "link/link_manager.h"
#include "base/channel.h"
#include "platform/sim/virtual_run_loop.h"

namespace {

// One hour of the 25 ms frame pump on the virtual clock: the cost of the timer queue.
void BM_VirtualPumpHour(benchmark::State& state) {
  for (auto _ : state) {
    kiro::VirtualRunLoop loop;
    int ticks = 0;
    auto pump = loop.scheduleTimer(kiro::Millis{25}, true, [&] { ++ticks; });
    loop.advance(kiro::Millis{3'600'000});
    benchmark::DoNotOptimize(ticks);
  }
}
BENCHMARK(BM_VirtualPumpHour)->Unit(benchmark::kMillisecond);

// One "light" sent to a handful of listeners, as each feedback byte does.
void BM_SendToListeners(benchmark::State& state) {
  kiro::Channel<kiro::LampArray> light;
  std::vector<kiro::Subscription> listening;
  int delivered = 0;
  for (int i = 0; i < state.range(0); ++i) listening.push_back(light.listen([&](kiro::LampArray) { ++delivered; }));
  const kiro::LampArray lamps{{false, false, false, true}};
  for (auto _ : state) light.send(lamps);
  benchmark::DoNotOptimize(delivered);
}
BENCHMARK(BM_SendToListeners)->Arg(1)->Arg(4)->Arg(16);

}  // namespace
