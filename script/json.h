#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kiro {

// A JSON value for the script events. Objects keep their members in the order they were
// added, so every line reads the same way.
class Json {
 public:
  using Array = std::vector<Json>;
  using Member = std::pair<std::string, Json>;
  using Object = std::vector<Member>;

  Json() = default;  // null
  Json(std::nullptr_t) {}
  Json(bool value) : value_(value) {}
  Json(int value) : value_(static_cast<std::int64_t>(value)) {}
  Json(std::int64_t value) : value_(value) {}
  Json(double value) : value_(value) {}
  Json(const char* value) : value_(std::string(value)) {}
  Json(std::string value) : value_(std::move(value)) {}
  Json(Array value) : value_(std::move(value)) {}
  Json(Object value) : value_(std::move(value)) {}

  // The compact text, on one line. Strings are escaped; bytes that are not UTF-8 become
  // U+FFFD, so the line is valid whatever a name held.
  std::string dump() const;
  // The same text, added to the end of out.
  void dumpTo(std::string& out) const;
  // An object's members without its braces, added to the end of out.
  static void dumpMembers(const Object& members, std::string& out);
  // A string's text, quoted and escaped, added to the end of out.
  static void dumpString(std::string_view text, std::string& out);

 private:

  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> value_;
};

}  // namespace kiro
