#pragma once

#include <string>

#include "platform/central.h"
#include "script/script_session.h"

namespace kiro {

// What the real Bluetooth stack and other programs report, made events of the script
// session while one runs; dropped while none does. Those reporting are made before the
// session and outlive it, so they report here and the session attaches itself.
class SessionReports {
 public:
  // session: told the reports from now on; null: no one is.
  void attach(ScriptSession* session) { session_ = session; }

  void write(const Peripheral& peripheral, const Bytes& bytes, WriteType type) {
    if (session_) session_->reportWrite(peripheral.identifier().UUIDString(), bytes, type == WriteType::withResponse);
  }
  void writeFailed(const Peripheral& peripheral, const Bytes& bytes, const std::string& reason) {
    if (session_) session_->reportWriteFailed(peripheral.identifier().UUIDString(), bytes, reason);
  }
  void stateChanged(const Peripheral& peripheral) {
    if (session_) session_->reportReceiver(peripheral.identifier().UUIDString(), peripheral.name(), peripheral.state());
  }
  // Another program's call that changed something.
  void remote(const std::string& method, const std::string& caller) {
    if (session_) session_->reportRemote(method, caller);
  }

 private:
  ScriptSession* session_ = nullptr;
};

}  // namespace kiro
