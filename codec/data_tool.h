#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/uuid.h"

namespace kiro {

// The conversions of the command and feedback paths. Used only through its class operations.
struct dataTool {
  // Each byte in decimal, run together; nullopt for a buffer with no byte storage.
  static std::optional<std::string> hexadecimalString(const std::optional<Bytes>& data);
  // Hex pairs decoded as UTF-8 text up to the first zero byte; nullopt if not UTF-8.
  static std::optional<std::string> stringFromHexString(const std::string& text);
  // The value of a bit text, most significant first, in decimal: "1010" is "10".
  static std::string toDecimalSystemWithBinarySystem(const std::string& bits);
  // Lower-case hex of the 32-bit pattern, no leading zeros.
  static std::string tenTenAD(std::int32_t value);
  // Base-2 digits of value, left-filled with "0" to backLength characters.
  static std::string decimalTOBinary(std::uint16_t value, std::int32_t backLength);
  // Strict hex text to bytes (spaces ignored); nullopt for odd length or a non-hex character.
  static std::optional<Bytes> stringToByte2(const std::string& text);
};

}  // namespace kiro
