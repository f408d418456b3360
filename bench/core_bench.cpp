#include <benchmark/benchmark.h>

#include "link/link_manager.h"
#include "platform/notification_center.h"
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

// One "light" post to a handful of observers, as each feedback byte does.
void BM_PostToObservers(benchmark::State& state) {
  kiro::NotificationCenter center;
  std::vector<kiro::ObserverToken> tokens;
  int delivered = 0;
  for (int i = 0; i < state.range(0); ++i)
    tokens.push_back(center.addObserver("light", [&](const kiro::Notification&) { ++delivered; }));
  const kiro::UserInfo info{{"lightArray", kiro::LampArray{"0", "0", "0", "1"}}};
  for (auto _ : state) center.post("light", info);
  benchmark::DoNotOptimize(delivered);
}
BENCHMARK(BM_PostToObservers)->Arg(1)->Arg(4)->Arg(16);

}  // namespace
