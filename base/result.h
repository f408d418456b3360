#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "base/text.h"

namespace kiro {

// Why something could not be done, in words for the person who asked: message in English, for
// scripts, callers and the log; text, the same words as the window shows them.
struct Error {
  Error(std::string english) : message(std::move(english)), text(Text::verbatim(message)) {}
  Error(const char* english) : Error(std::string(english)) {}
  Error(Text words) : message(words.english()), text(std::move(words)) {}

  std::string message;
  Text text;
};

// What an operation gives: its value, or the error in its place. Result<> has no value: it
// is done, or the error says why not. Read value() only when ok(), error() only when not.
// There is deliberately no conversion to bool: `if (result)` could be read either way.
template <typename Value = void, typename Failure = Error>
class [[nodiscard]] Result {
 public:
  template <typename Given>
    requires std::convertible_to<Given, Value> && (!std::same_as<std::remove_cvref_t<Given>, Result>)
  Result(Given&& value) : held_(std::in_place_index<0>, std::forward<Given>(value)) {}
  Result(Failure error) : held_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return held_.index() == 0; }
  const Value& value() const& { return std::get<0>(held_); }
  Value&& value() && { return std::get<0>(std::move(held_)); }
  const Failure& error() const { return std::get<1>(held_); }

 private:
  std::variant<Value, Failure> held_;
};

template <typename Failure>
class [[nodiscard]] Result<void, Failure> {
 public:
  Result() = default;
  Result(Failure error) : error_(std::move(error)) {}

  bool ok() const { return !error_.has_value(); }
  const Failure& error() const { return error_.value(); }

 private:
  std::optional<Failure> error_;
};

}  // namespace kiro
