#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/central.h"

namespace kiro {

// The text an object shows in a log line's "%@".
std::string describe(const Peripheral& peripheral);
std::string describe(const Service& service);
std::string describe(const Characteristic& characteristic);
std::string describe(const Central& central);
// Bytes as "<0108>"; nullopt as "(null)".
std::string describe(const std::optional<Bytes>& bytes);
std::string describe(const std::vector<std::string>& list);
std::string describe(const std::map<std::string, std::string>& dictionary);
// A name, an error or other optional text; nullopt as "(null)".
std::string describe(const std::optional<std::string>& text);

// The bytes read as UTF-8 text; nullopt when absent or not valid UTF-8.
std::optional<std::string> utf8Text(const std::optional<Bytes>& bytes);

}  // namespace kiro
