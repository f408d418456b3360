#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kiro {

// The length of the well-formed UTF-8 sequence that starts at text[at] (1 for ASCII), or 0
// when none does: overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

bool isValidUtf8(std::string_view text);

// text with each byte that starts no well-formed sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);

}  // namespace kiro
