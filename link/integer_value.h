#pragma once

#include <cstdint>
#include <string_view>

namespace kiro {

// A text's integer value as a decimal reading takes it: leading white space, an optional
// sign, then the leading digits; a text without them reads as 0. Saturates at the limits.
std::int64_t integerValue(std::string_view text);

// The same reading, saturated to 32 bits.
std::int32_t intValue(std::string_view text);

}  // namespace kiro
