#pragma once

#include <string>
#include <variant>

namespace kiro {

// A value, or the reason there is none (by default a message for a person).
template <typename Value, typename Error = std::string>
using Result = std::variant<Value, Error>;

}  // namespace kiro
