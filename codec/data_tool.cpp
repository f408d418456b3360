#include "codec/data_tool.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "codec/numeric_text.h"
#include "platform/platform.h"

namespace kiro {

namespace {

// The value of the pair's leading hex digits; 0 when it starts with none.
std::uint8_t scannedPair(char first, char second) {
  unsigned value = 0;
  for (char c : {first, second}) {
    const auto digit = hexDigitValue(c);
    if (!digit) break;
    value = value * 16 + static_cast<unsigned>(*digit);
  }
  return static_cast<std::uint8_t>(value);
}

bool isUtf8(const std::string& text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int64_t>(text.size());
  for (std::int64_t i = 0; i < length;) {
    UChar32 code;
    U8_NEXT(bytes, i, length, code);
    if (code < 0) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> dataTool::hexadecimalString(const std::optional<Bytes>& data) {
  if (!data) return std::nullopt;
  std::string text;
  for (auto byte : *data) text += std::to_string(byte);
  return text;
}

// A lone last character, or the whole of a one-character text, has no partner and is ignored.
std::optional<std::string> dataTool::stringFromHexString(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const std::uint8_t byte = scannedPair(text[i], text[i + 1]);
    if (byte == 0) break;
    bytes += static_cast<char>(byte);
  }
  std::optional<std::string> result;
  if (isUtf8(bytes)) result = bytes;
  platform().log.print("------字符串=======%@", result ? *result : std::string("(null)"));
  return result;
}

std::string dataTool::toDecimalSystemWithBinarySystem(const std::string& bits) {
  std::int32_t sum = 0;
  for (std::size_t i = 0; i < bits.size(); ++i) {
    const char c = bits[i];
    const int digit = (c >= '0' && c <= '9') ? c - '0' : 0;
    // Past 2^127 a float is infinite anyway; capping keeps the exponent an int.
    const int exponent = static_cast<int>(std::min<std::size_t>(bits.size() - 1 - i, 200));
    sum = codec::wrappingAdd(sum, codec::saturatingInt32(std::ldexp(static_cast<float>(digit), exponent)));
  }
  return std::to_string(sum);
}

std::string dataTool::tenTenAD(std::int32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%x", static_cast<std::uint32_t>(value));
  return text;
}

std::string dataTool::decimalTOBinary(std::uint16_t value, std::int32_t backLength) {
  std::string bits;
  for (unsigned rest = value; rest != 0; rest >>= 1) bits.insert(bits.begin(), (rest & 1) ? '1' : '0');
  if (static_cast<std::int64_t>(bits.size()) > backLength) return bits;
  return std::string(static_cast<std::size_t>(backLength) - bits.size(), '0') + bits;
}

std::optional<Bytes> dataTool::stringToByte2(const std::string& text) {
  return bytesFromHex(codec::compactUpper(text));
}

}  // namespace kiro
