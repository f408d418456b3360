#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kiro {

// What a rewrite of the settings file at path would destroy, or nullopt when it would keep
// everything (or there is no file yet). The app rewrites the whole file as INI, so anything
// but blank lines, "[group]" lines and "key=value" lines in UTF-8 (prose, comments, binary
// bytes, text in another encoding) would be lost. The answer names the first such line.
std::optional<std::string> settingsFileDamage(const std::filesystem::path& path);

}  // namespace kiro
