#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/notices.h"

namespace kiro {

// Where the app's own files are: beside the executable in the build tree, else where the
// install rules put them from the executable's folder, so an installed tree can be moved
// whole.

// The pictures, the data model and the window's catalogs.
std::filesystem::path dataFolder();
// The Bluetooth module.
std::filesystem::path bluetoothModuleFile();

// Where the object store lives: given, else the app's own data folder. A folder the store
// cannot be made in is said to the user; the store itself fails at its first use.
std::filesystem::path documentsFolder(const std::optional<std::string>& given, Notices& notices);

}  // namespace kiro
