#include <benchmark/benchmark.h>

#include "app/app_delegate.h"
#include "link/link_manager.h"
#include "platform/platform.h"
#include "platform/qt/system_log.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/ui/main_screen.h"
#include "screens/remote/camera_view_controller.h"

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
    singleton::resetShared();
    VirtualRunLoop loop;
    MemoryUserDefaults defaults;
    SystemLog log(state.range(0) != 0);
    SimulatedRadio radio{loop};
    Platform installed{loop, defaults, log, radio.centralFactory()};
    PlatformScope scope{installed};
    const MainScreen screen;
    MainScreenScope screenScope{screen};
    SimulatedReceiver::Options options;
    options.advertisedName = "Kiro-7";
    options.demoFeedback = true;
    auto& receiver = *radio.addReceiver(std::move(options)).value();
    defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver.identifier().UUIDString()}});
    Application application;
    AppDelegate delegate(application, "/nonexistent", "/nonexistent/Tavrel.momd", log);
    delegate.didFinishLaunchingWithOptions();
    delegate.window()->display();
    loop.advance(2s);
    receiver.clearWrites();
    state.ResumeTiming();

    delegate.remote()->writeButton2()->sendActions(ControlEvent::touchDown);
    loop.advance(60s);

    state.PauseTiming();
    frames += static_cast<std::int64_t>(receiver.writes().size());
    singleton::resetShared();
    state.ResumeTiming();
  }
  state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ShutterHeldMinute)->ArgName("verbose")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
