#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kiro {

// Reads one environment variable; std::nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The user's documents folder, as the desktop names it: an absolute $XDG_DOCUMENTS_DIR, else
// the XDG_DOCUMENTS_DIR entry of user-dirs.dirs in $XDG_CONFIG_HOME (or ~/.config), else
// ~/Documents.
std::filesystem::path userDocumentsDirectory(const EnvironmentLookup& environment);

// The same, from this process's environment.
std::filesystem::path userDocumentsDirectory();

}  // namespace kiro
