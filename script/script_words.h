#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace kiro {

// line: one script line. Returns its words, split at spaces and tabs, where a word in
// double quotes may hold spaces and "#" outside quotes ends the line; or a message
// saying what is wrong (a quote left open, a quote inside a word).
Result<std::vector<std::string>> splitScriptWords(std::string_view line);

}  // namespace kiro
