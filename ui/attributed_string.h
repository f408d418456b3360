#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/color.h"
#include "ui/font.h"
#include "ui/picture.h"

namespace kiro {

enum class LineBreakMode { byWordWrapping, byCharWrapping };

// How the lines of a paragraph are laid out.
struct ParagraphStyle {
  double lineSpacing = 0;  // points between one line's bottom and the next line's top
  LineBreakMode lineBreakMode = LineBreakMode::byWordWrapping;
  friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// How a character is drawn.
struct TextAttributes {
  Font font;
  ParagraphStyle paragraphStyle;
  Color foregroundColor;
  friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

// A picture standing in the text as one character, drawn at its size in points.
struct TextAttachment {
  Picture image;
  friend bool operator==(const TextAttachment&, const TextAttachment&) = default;
};

// Text whose characters carry attributes, with pictures set into it. A character is one
// Unicode code point; each attachment is one character, U+FFFC.
class AttributedString {
 public:
  static constexpr char32_t kAttachmentCharacter = U'\uFFFC';

  AttributedString() = default;
  // text: UTF-8, each ill-formed sequence read as U+FFFD; attributes: given to every character,
  // or to none.
  explicit AttributedString(std::string_view text, const std::optional<TextAttributes>& attributes = std::nullopt);

  std::size_t length() const { return characters_.size(); }
  // UTF-8, attachments included as U+FFFC.
  std::string string() const;

  // Sets attachment into the text as one character, without attributes, before the
  // character at position (at the end when position is the length). Past the end it
  // changes nothing and returns false.
  bool insertAttachment(TextAttachment attachment, std::size_t position);

  // Of the character at position; null when it has none or position is past the end.
  const TextAttributes* attributesAt(std::size_t position) const;
  const TextAttachment* attachmentAt(std::size_t position) const;

  friend bool operator==(const AttributedString&, const AttributedString&);

 private:
  struct Character {
    char32_t code;
    std::shared_ptr<const TextAttributes> attributes;
    std::shared_ptr<const TextAttachment> attachment;
  };

  std::vector<Character> characters_;
};

}  // namespace kiro
