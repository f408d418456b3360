#pragma once

#include <filesystem>

#include "base/result.h"

namespace kiro {

// Whether a rewrite of the settings file at path keeps everything (so it does when there is
// no file yet), or what it would destroy. The app rewrites the whole file as INI, so anything
// but blank lines, "[group]" lines and "key=value" lines in UTF-8 (prose, comments, binary
// bytes, text in another encoding) would be lost. The error names the first such line.
Result<> checkSettingsFile(const std::filesystem::path& path);

}  // namespace kiro
