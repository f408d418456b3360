#pragma once

#include <functional>
#include <string>

#include "platform/central.h"
#include "platform/run_loop.h"

namespace kiro {

struct LinkTiming {
  // A connect or disconnect that has not completed by then is given up.
  Millis attemptLimit{10000};
  // A failed connect is reported no sooner than this after the request, so automatic
  // reconnection against a device that fails at once does not spin.
  Millis failureFloor{1000};
};

// A write the Bluetooth stack accepted: confirmed with response, or taken without.
using WriteObserver = std::function<void(const Peripheral& peripheral, const Bytes& value, WriteType type)>;
// A write the stack or the receiver refused, or that went unanswered, and why.
using WriteFailureObserver =
    std::function<void(const Peripheral& peripheral, const Bytes& value, const std::string& reason)>;

struct QtCentralOptions {
  LinkTiming link;
  // Between a scan that stopped on an error and its restart.
  Millis scanRetry{1000};
  WriteObserver onWrite;  // may be empty
  WriteFailureObserver onWriteFailed;  // may be empty
  // A peripheral's state changed, at once; may be empty.
  std::function<void(const Peripheral& peripheral)> onStateChange;
};

// Qt Bluetooth and what it loads with it (Qt Network, Kerberos, libproxy) hold up every
// start by milliseconds, and a run on simulated receivers never needs them. So the Qt
// central is built as a module of its own, opened only when real Bluetooth is asked about.
struct BluetoothModule {
  // Whether this machine has a Bluetooth adapter.
  bool (*hasAdapter)();
  CentralFactory (*centralFactory)(QtCentralOptions options);
};

}  // namespace kiro

// The module's one entry point, found by this name.
extern "C" const kiro::BluetoothModule* kiroBluetoothModule();
