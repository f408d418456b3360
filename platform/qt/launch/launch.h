#pragma once

#include <filesystem>

#include "base/result.h"
#include "platform/notices.h"
#include "platform/qt/bluetooth/bluetooth_module.h"
#include "platform/qt/ports/settings_user_defaults.h"
#include "script/command_line.h"

namespace kiro {

// Where a run finds its files, and which receivers it drives.
struct Launch {
  std::filesystem::path data;  // the pictures, the data model and the catalogs
  const BluetoothModule* bluetooth = nullptr;  // null: simulated receivers
};

// The receivers options ask for: the module at moduleFile when it opens and finds an
// adapter, else simulated ones (null), which is said to the user; an error when Bluetooth is
// required and cannot be had.
Result<const BluetoothModule*> chooseBluetooth(const CommandLine& options, const std::filesystem::path& moduleFile,
                                               Notices& notices);

// The run's files and receivers, with the lock that keeps other runs off Bluetooth when it
// drives it; or why it cannot go on.
Result<Launch> launch(const CommandLine& options, Notices& notices);

// Whether the run may go on with defaults: not when its file has text that is not ours,
// which the first write would rewrite as INI. Writes that will not be kept are said to
// the user, and the run goes on.
Result<> checkSettings(const SettingsUserDefaults& defaults, Notices& notices);

}  // namespace kiro
