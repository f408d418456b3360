#include "script/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/utf8.h"

namespace kiro {

namespace {

void dumpString(const std::string& text, std::string& out) {
  out += '"';
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
