#pragma once

#include <filesystem>
#include <string>
#include <variant>

#include "platform/qt/bluetooth/bluetooth_module.h"

namespace kiro {

// Opens the Bluetooth module at file; on failure, why.
std::variant<const BluetoothModule*, std::string> loadBluetoothModule(const std::filesystem::path& file);

}  // namespace kiro
