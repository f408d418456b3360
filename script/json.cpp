#include "script/json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/utf8.h"

namespace kiro {

namespace {

// Printable ASCII without a quote or a backslash: the text as it stands, which most are.
bool isPlain(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
  });
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

void Json::dumpString(std::string_view text, std::string& out) {
  out += '"';
  if (isPlain(text)) {
    out += text;
    out += '"';
    return;
  }
  const std::string valid = validUtf8(text);
  std::size_t plain = 0;  // where the characters not yet written begin
  for (std::size_t at = 0; at < valid.size(); ++at) {
    const auto c = static_cast<unsigned char>(valid[at]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(valid, plain, at - plain);
    plain = at + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default: {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out += escaped;
      }
    }
  }
  out.append(valid, plain);
  out += '"';
}

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
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, *integer);
    out.append(text, result.ptr);
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
    dumpMembers(*object, out);
    out += '}';
  }
}

void Json::dumpMembers(const Object& members, std::string& out) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i > 0) out += ',';
    dumpString(members[i].first, out);
    out += ':';
    members[i].second.dumpTo(out);
  }
}

}  // namespace kiro
