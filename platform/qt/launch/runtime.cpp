#include "platform/qt/launch/runtime.h"

#include "platform/qt/ports/qt_run_loop.h"
#include "platform/qt/ports/qt_sound.h"
#include "platform/sim/virtual_wall_clock.h"

namespace kiro {

namespace {

// The real stack's writes and link states, as script events while a script runs.
QtCentralOptions reportingTo(SessionReports& reports) {
  QtCentralOptions options;
  options.onWrite = [&reports](const Peripheral& peripheral, const Bytes& bytes, WriteType type) {
    reports.write(peripheral, bytes, type);
  };
  options.onWriteFailed = [&reports](const Peripheral& peripheral, const Bytes& bytes, const std::string& reason) {
    reports.writeFailed(peripheral, bytes, reason);
  };
  options.onStateChange = [&reports](const Peripheral& peripheral) { reports.stateChanged(peripheral); };
  return options;
}

}  // namespace

Runtime::Runtime(bool virtualTime, const BluetoothModule* bluetooth, SessionReports& reports, Notices& notices) {
  if (virtualTime) {
    auto loop = std::make_unique<VirtualRunLoop>();
    virtualLoop_ = loop.get();
    runLoop_ = std::move(loop);
    wallClock_ = std::make_unique<VirtualWallClock>(*virtualLoop_);
    sound_ = std::make_unique<SilentSound>("no sound is played on the virtual clock", notices);
  } else {
    runLoop_ = std::make_unique<QtRunLoop>();
    wallClock_ = std::make_unique<SystemWallClock>();
    sound_ = std::make_unique<QtSound>(notices);
  }
  if (bluetooth) {
    centralFactory_ = bluetooth->centralFactory(reportingTo(reports));
  } else {
    radio_ = std::make_unique<SimulatedRadio>(*runLoop_);
    centralFactory_ = radio_->centralFactory();
  }
}

}  // namespace kiro
