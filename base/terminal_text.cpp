#include "base/terminal_text.h"

#include <array>

#include "base/utf8.h"

namespace kiro {

namespace {

// The code point of a sequence that utf8SequenceLength found well-formed.
char32_t codePoint(std::string_view sequence) {
  static constexpr std::array<unsigned char, 4> kLeadBits{0x7F, 0x1F, 0x0F, 0x07};
  char32_t point = static_cast<unsigned char>(sequence[0]) & kLeadBits[sequence.size() - 1];
  for (const char c : sequence.substr(1)) point = point << 6 | (static_cast<unsigned char>(c) & 0x3F);
  return point;
}

bool isUnsafe(char32_t point) {
  return point < 0x20 || (point >= 0x7F && point <= 0x9F) || point == 0x200E || point == 0x200F ||
         (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

void appendEscape(std::string& out, const char* prefix, char32_t value, int digits) {
  static constexpr std::string_view kHex = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string terminalSafe(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8SequenceLength(text, at);
    if (length == 0) {
      appendEscape(out, "\\x", static_cast<unsigned char>(text[at++]), 2);
      continue;
    }
    const std::string_view sequence = text.substr(at, length);
    at += length;
    const char32_t point = codePoint(sequence);
    if (!isUnsafe(point))
      out += sequence;
    else if (point < 0x80)
      appendEscape(out, "\\x", point, 2);
    else
      appendEscape(out, "\\u", point, 4);
  }
  return out;
}

}  // namespace kiro
