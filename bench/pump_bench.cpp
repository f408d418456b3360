#include <benchmark/benchmark.h>

#include <memory>

#include "bench/held_shutter.h"

namespace {

using namespace std::chrono_literals;
using namespace kiro;

// A minute of R held against a connected, answering receiver: every 25 ms frame goes
// through the screen, the link manager, the codec and the radio, and every feedback byte
// back through "light" to the lamps. Reports the cost of one frame on the main thread,
// with the app's own log: quiet (verbose:0) and printing every line (verbose:1, run the
// benchmark with 2>/dev/null).
void BM_ShutterHeldMinute(benchmark::State& state) {
  std::int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto app = std::make_unique<HeldShutter>(state.range(0) != 0);
    state.ResumeTiming();

    app->pressR();
    app->advance(60s);

    state.PauseTiming();
    frames += static_cast<std::int64_t>(app->frames());
    app.reset();
    state.ResumeTiming();
  }
  state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ShutterHeldMinute)->ArgName("verbose")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
