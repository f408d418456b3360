#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/qt/bluetooth/qt_central.h"
#include "tests/platform/qt/fake_bluez.h"
#include "tests/platform/sim/central_recorder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, as the fake stamps arrivals

const QString kKiro = QStringLiteral("AA:BB:CC:DD:EE:01");

double seconds(Clock::time_point t) { return std::chrono::duration<double>(t.time_since_epoch()).count(); }

// 10 s of frames every 25 ms, written with response to a receiver that takes 30 ms a
// write: how many writes go out, how many ever wait, and how old the frame is that the
// receiver last saw.
void BM_QtCentralSlowReceiver(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "kiro_bench";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);

  kiro::FakeBluez fake;
  if (!fake.failure().isEmpty()) {
    state.SkipWithError(fake.failure().toStdString().c_str());
    return;
  }
  fake.call("AddDevice", {kKiro, QStringLiteral("Kiro-7")});
  kiro::CentralRecorder recorder;
  kiro::QtCentral central(recorder);
  central.scanForPeripherals(false);
  kiro::spinUntil([&] { return recorder.found.count("Kiro-7") > 0; });
  if (recorder.found.count("Kiro-7") == 0) {
    state.SkipWithError("the receiver was not discovered");
    return;
  }
  auto kiro = recorder.found.at("Kiro-7");
  kiro->setDelegate(&recorder);
  central.connectPeripheral(*kiro, true);
  kiro::spinUntil([&] { return recorder.saw("connect Kiro-7"); });
  kiro->discoverServices();
  kiro::spinUntil([&] { return recorder.saw("services"); });
  for (const auto& service : kiro->services()) kiro->discoverCharacteristics(*service);
  kiro::spinUntil([&] { return recorder.saw("characteristics FFB0"); });
  kiro::Characteristic* command = nullptr;
  for (const auto& service : kiro->services()) {
    for (const auto& c : service->characteristics) {
      if (c->uuid == kiro::BleUuid::from16(0xFFB2)) command = c.get();
    }
  }
  if (!command) {
    state.SkipWithError("no command characteristic");
    return;
  }
  fake.call("SetWriteDelay", {0.03});  // seconds

  std::map<int, Clock::time_point> sent;
  int mostWaiting = 0;
  for (auto _ : state) {
    int frame = 0;
    QTimer pump;
    pump.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pump, &QTimer::timeout, [&] {
      ++frame;
      sent[frame] = Clock::now();
      kiro->writeValue({std::uint8_t(frame >> 8), std::uint8_t(frame & 0xFF)}, *command, kiro::WriteType::withResponse);
      mostWaiting = std::max(mostWaiting, central.pendingWrites() - 1);
      if (frame == 400) pump.stop();
    });
    pump.start(25);
    kiro::spinUntil([&] { return frame == 400; }, 15s);
    kiro::spinFor(200ms);
  }

  const auto writes = fake.writes(kKiro);
  double ageSum = 0;
  double ageMax = 0;
  for (const auto& w : writes) {
    const int frame = (std::uint8_t(w.bytes.at(0)) << 8) | std::uint8_t(w.bytes.at(1));
    const double age = (w.arrival - seconds(sent[frame])) * 1000.0;
    ageSum += age;
    ageMax = std::max(ageMax, age);
  }
  state.counters["frames"] = static_cast<double>(sent.size());
  state.counters["writes_sent"] = static_cast<double>(writes.size());
  state.counters["most_waiting"] = mostWaiting;
  state.counters["seen_age_mean_ms"] = writes.empty() ? 0 : ageSum / static_cast<double>(writes.size());
  state.counters["seen_age_max_ms"] = ageMax;
}
BENCHMARK(BM_QtCentralSlowReceiver)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
