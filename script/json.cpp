#include "script/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kiro {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at text[at], or 0 when there is none.
std::size_t sequenceLength(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80;  // the second byte's range shuts out overlong forms and surrogates
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  return length;
}

void dumpString(const std::string& text, std::string& out) {
  out += '"';
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= 0x80) {
      const std::size_t length = sequenceLength(text, at);
      if (length == 0) {
        out += kReplacement;
        ++at;
      } else {
        out.append(text, at, length);
        at += length;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
    ++at;
  }
  out += '"';
}

void dumpNumber(double value, std::string& out) {
  // JSON has no infinities or NaN.
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

}  // namespace

std::string Json::dump() const {
  std::string out;
  dumpTo(out);
  return out;
}

void Json::dumpTo(std::string& out) const {
  if (std::holds_alternative<std::nullptr_t>(value_)) {
    out += "null";
  } else if (const bool* flag = std::get_if<bool>(&value_)) {
    out += *flag ? "true" : "false";
  } else if (const std::int64_t* integer = std::get_if<std::int64_t>(&value_)) {
    out += std::to_string(*integer);
  } else if (const double* number = std::get_if<double>(&value_)) {
    dumpNumber(*number, out);
  } else if (const std::string* text = std::get_if<std::string>(&value_)) {
    dumpString(*text, out);
  } else if (const Array* array = std::get_if<Array>(&value_)) {
    out += '[';
    for (std::size_t i = 0; i < array->size(); ++i) {
      if (i > 0) out += ',';
      (*array)[i].dumpTo(out);
    }
    out += ']';
  } else if (const Object* object = std::get_if<Object>(&value_)) {
    out += '{';
    for (std::size_t i = 0; i < object->size(); ++i) {
      if (i > 0) out += ',';
      dumpString((*object)[i].first, out);
      out += ':';
      (*object)[i].second.dumpTo(out);
    }
    out += '}';
  }
}

}  // namespace kiro
