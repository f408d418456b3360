#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "script/script_command.h"

namespace kiro {

struct ParsedScriptLine {
  std::optional<ScriptCommand> command;  // nullopt for a blank or comment line, and on error
  std::optional<std::string> error;      // what is wrong with the line
};

// line: one script line, without its line feed.
ParsedScriptLine parseScriptLine(std::string_view line);

}  // namespace kiro
