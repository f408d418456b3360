#pragma once

#include <filesystem>

#include "platform/qt/bluetooth/bluetooth_module.h"
#include "base/result.h"

namespace kiro {

// Opens the Bluetooth module at file; on failure, why.
Result<const BluetoothModule*> loadBluetoothModule(const std::filesystem::path& file);

}  // namespace kiro
