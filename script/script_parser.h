#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "script/script_command.h"

namespace kiro {

// line: one script line, without its line feed. Its command, nullopt for a blank or comment
// line, or what is wrong with it.
Result<std::optional<ScriptCommand>> parseScriptLine(std::string_view line);

}  // namespace kiro
