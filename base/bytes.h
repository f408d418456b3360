#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

using Bytes = std::vector<std::uint8_t>;

enum class HexCase { lower, upper };

// Each byte as two hex digits: {0x01, 0xAB} is "01ab", or "01AB" in upper case.
std::string hexText(std::span<const std::uint8_t> bytes, HexCase letters = HexCase::lower);

// "0"-"9", "A"-"F", "a"-"f"; nullopt for any other character.
std::optional<int> hexDigitValue(char c);

// digits read pairwise, in either case; nullopt for an odd length or a character that is
// not a hex digit.
std::optional<Bytes> bytesFromHex(std::string_view digits);

}  // namespace kiro
