#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "link/lamp_array.h"
#include "platform/central.h"

namespace kiro {

// The text an object shows in a log line's "%@".
std::string describe(const Peripheral& peripheral);
std::string describe(const Service& service);
std::string describe(const Characteristic& characteristic);
std::string describe(const Central& central);
// Bytes as "<0108>"; nullopt as "(null)".
std::string describe(const Bytes& bytes);
std::string describe(const std::optional<Bytes>& bytes);
std::string describe(const std::vector<std::string>& list);
// Four entries as the list of their texts, "(0, 0, 0, 1)".
std::string describe(const std::array<bool, 4>& entries);
inline std::string describe(const LampArray& lamps) { return describe(lamps.entries); }
std::string describe(const std::map<std::string, std::string>& dictionary);
// A name or other optional text; nullopt as "(null)".
std::string describe(const std::optional<std::string>& text);
// A request's error; one that succeeded as "(null)".
std::string describe(const Result<>& result);
std::string describe(const Uuid& uuid);
std::string describe(const BleUuid& uuid);

// An object's description, made only when a log line that shows it is built (see Log::print).
// The object itself is at hand already: a value computed for the log alone belongs under
// Log::listening(). It refers to the object: pass it straight to print, so a temporary
// outlives it.
template <typename T>
struct Described {
  const T& value;
  operator std::string() const { return describe(value); }
};

template <typename T>
Described<T> described(const T& value) {
  return {value};
}

// The bytes read as UTF-8 text; nullopt when absent or not valid UTF-8.
std::optional<std::string> utf8Text(const std::optional<Bytes>& bytes);

}  // namespace kiro
