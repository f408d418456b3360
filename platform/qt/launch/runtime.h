#pragma once

#include <memory>

#include "platform/central.h"
#include "platform/notices.h"
#include "platform/qt/bluetooth/bluetooth_module.h"
#include "platform/run_loop.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/sound.h"
#include "platform/wall_clock.h"
#include "script/session_reports.h"

namespace kiro {

// What the app runs on: its run loop, wall clock, sound and receivers. On the virtual clock
// the loop is virtual, the wall clock moves with it from a fixed day in UTC and nothing is
// played, so a run repeats; on real time they are Qt's and the machine's. The receivers are
// the Bluetooth module's central, or a simulated radio on either clock.
class Runtime {
 public:
  // bluetooth: the module whose central to use; null for simulated receivers. reports:
  // hears the real stack's writes and link states; notices: told when no sound is played.
  // Both must outlive the runtime.
  Runtime(bool virtualTime, const BluetoothModule* bluetooth, SessionReports& reports, Notices& notices);

  RunLoop& runLoop() { return *runLoop_; }
  // The run loop as the virtual one it is on the virtual clock; null on real time.
  VirtualRunLoop* virtualLoop() { return virtualLoop_; }
  WallClock& wallClock() { return *wallClock_; }
  Sound& sound() { return *sound_; }
  // The simulated receivers' radio; null on Bluetooth.
  SimulatedRadio* radio() { return radio_.get(); }
  const CentralFactory& centralFactory() const { return centralFactory_; }

 private:
  std::unique_ptr<RunLoop> runLoop_;
  VirtualRunLoop* virtualLoop_ = nullptr;
  std::unique_ptr<WallClock> wallClock_;
  std::unique_ptr<Sound> sound_;
  std::unique_ptr<SimulatedRadio> radio_;
  CentralFactory centralFactory_;
};

}  // namespace kiro
