#pragma once

#include <concepts>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// Words for a person: an id, which is the text's English with %1, %2 ... standing for its
// parts, and the parts, each a text of its own or a verbatim string (a name, a number, a
// duration). The model, the events, the log and the settings read english(); the window
// looks the id up in its catalog and fills in the parts, each shown in turn.
//
// An id is always a literal written as Text("...") where the text is made: the catalogs'
// test finds them there.
class Text {
 public:
  Text() = default;

  template <std::size_t N, typename... Parts>
  explicit Text(const char (&id)[N], Parts&&... parts) : id_(id, N - 1) {
    parts_.reserve(sizeof...(Parts));
    (parts_.push_back(part(std::forward<Parts>(parts))), ...);
    english_ = filled();
  }

  // value shown as it stands in every language.
  static Text verbatim(std::string value);

  const std::string& english() const { return english_; }
  bool empty() const { return english_.empty(); }
  // Empty for a verbatim text.
  std::string_view id() const { return id_; }
  const std::vector<Text>& parts() const { return parts_; }

  friend bool operator==(const Text& a, const Text& b) {
    return a.english_ == b.english_ && a.id_ == b.id_ && a.parts_ == b.parts_;
  }
  // Whether the text reads english in English.
  friend bool operator==(const Text& a, std::string_view english) { return a.english_ == english; }

 private:
  static Text part(Text text) { return text; }
  static Text part(std::string value) { return verbatim(std::move(value)); }
  static Text part(std::integral auto number) { return verbatim(std::to_string(number)); }
  // A literal part would be taken for a verbatim string and never translated: make it a Text.
  template <std::size_t N>
  static Text part(const char (&)[N]) = delete;

  std::string filled() const;

  std::string_view id_;
  std::vector<Text> parts_;
  std::string english_;
};

std::ostream& operator<<(std::ostream& out, const Text& text);

}  // namespace kiro
