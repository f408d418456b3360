#include <algorithm>
#include <cmath>
#include <cstdio>

#include "codec/ble_data.h"
#include "codec/numeric_text.h"

namespace kiro {

namespace {

using codec::saturatingInt32;
using codec::wrappingAdd;

// Never rejects: any character that is not "0"-"9" or "A"-"F" is read as a lower-case letter.
int looseDigit(char c) {
  const int code = static_cast<unsigned char>(c);
  if (c >= '0' && c <= '9') return code - '0';
  if (c >= 'A' && c <= 'F') return code - 'A' + 10;
  return code - 'a' + 10;
}

int pairValue(char high, char low) { return 16 * looseDigit(high) + looseDigit(low); }

// value × 256^place through double precision, saturated to 32 bits. Places past 128 are
// infinite in double anyway; capping the exponent keeps it from overflowing an int.
std::int32_t placed(int value, std::size_t place) {
  if (place == 0) return value;
  const int exponent = static_cast<int>(std::min<std::size_t>(place, 200) * 8);
  return saturatingInt32(std::ldexp(static_cast<double>(value), exponent));
}

std::string evenLength(const std::string& text) { return text.size() % 2 == 0 ? text : "0" + text; }

// Code 0 would end the text early, so it adds nothing; codes above 0x7F become the
// Latin-1 character they name, so the result stays valid UTF-8.
void appendCharacter(std::string& out, unsigned code) {
  if (code == 0) return;
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  out += static_cast<char>(0xC0 | (code >> 6));
  out += static_cast<char>(0x80 | (code & 0x3F));
}

}  // namespace

std::string bleData::dataToByteTohex(const Bytes& data) { return hexText(data); }

// A lone last character has no partner and is ignored.
Bytes bleData::stringToByte(const std::string& text) {
  const std::string digits = codec::compactUpper(text);
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(pairValue(digits[i], digits[i + 1]) & 0xFF));
  return bytes;
}

std::int32_t bleData::littleEndianModeToInt(const std::string& text) {
  std::int32_t sum = 0;
  for (std::size_t place = 0; 2 * place + 1 < text.size(); ++place)
    sum = wrappingAdd(sum, placed(pairValue(text[2 * place], text[2 * place + 1]), place));
  return sum;
}

// A lone last character has no partner and is ignored.
std::string bleData::getNameWithASCII(const std::string& text) {
  std::string name;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    appendCharacter(name, static_cast<unsigned>(pairValue(text[i], text[i + 1])) & 0xFF);
  return name;
}

std::int32_t bleData::ToHex(const std::string& text) {
  const std::string digits = evenLength(text);
  std::int32_t sum = 0;
  for (std::size_t place = 0; place < digits.size() / 2; ++place) {
    const std::size_t at = digits.size() - 2 * (place + 1);
    sum = wrappingAdd(sum, placed(pairValue(digits[at], digits[at + 1]), place));
  }
  return sum;
}

std::string bleData::intToLittle(const std::string& text, std::int32_t length) {
  const std::string digits = evenLength(text);
  std::string reversed;
  for (std::size_t end = digits.size(); end >= 2; end -= 2) reversed.append(digits, end - 2, 2);
  const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
  if (reversed.size() < wanted) {
    while (reversed.size() < wanted) reversed += "00";
    return reversed;
  }
  reversed.resize(wanted);
  return reversed;
}

std::string bleData::toBinary(std::int32_t value) {
  if (value == 0 || value == 1) return std::to_string(value);
  return toBinary(value / 2) + std::to_string(value - 2 * (value / 2));
}

std::string bleData::getHex(std::int64_t value, std::int32_t lenght) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%llX", static_cast<unsigned long long>(value));
  std::string hex = evenLength(digits);
  const std::size_t pairs = hex.size() / 2;
  if (lenght > 0 && pairs < static_cast<std::size_t>(lenght))
    hex.insert(0, 2 * (static_cast<std::size_t>(lenght) - pairs), '0');
  return hex;
}

std::string bleData::CBUUIDToString(const BleUuid& uuid) {
  return uuid.UUIDString();
}

}  // namespace kiro
