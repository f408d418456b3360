#include "ui/attributed_string.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace kiro {

namespace {

// Both absent, or both present and equal.
template <typename T>
bool sameValue(const std::shared_ptr<const T>& a, const std::shared_ptr<const T>& b) {
  return a == b || (a && b && *a == *b);
}

}  // namespace

AttributedString::AttributedString(std::string_view text, const std::optional<TextAttributes>& attributes) {
  const auto shared = attributes ? std::make_shared<const TextAttributes>(*attributes) : nullptr;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto size = static_cast<std::int64_t>(text.size());
  for (std::int64_t i = 0; i < size;) {
    UChar32 code;
    U8_NEXT(bytes, i, size, code);
    characters_.push_back({code < 0 ? U'\uFFFD' : static_cast<char32_t>(code), shared, nullptr});
  }
}

std::string AttributedString::string() const {
  std::string text;
  for (const auto& character : characters_) {
    std::uint8_t buffer[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(character.code));
    text.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
  }
  return text;
}

bool AttributedString::insertAttachment(TextAttachment attachment, std::size_t position) {
  if (position > characters_.size()) return false;
  characters_.insert(characters_.begin() + static_cast<std::ptrdiff_t>(position),
                     {kAttachmentCharacter, nullptr, std::make_shared<const TextAttachment>(std::move(attachment))});
  return true;
}

const TextAttributes* AttributedString::attributesAt(std::size_t position) const {
  return position < characters_.size() ? characters_[position].attributes.get() : nullptr;
}

const TextAttachment* AttributedString::attachmentAt(std::size_t position) const {
  return position < characters_.size() ? characters_[position].attachment.get() : nullptr;
}

bool operator==(const AttributedString& a, const AttributedString& b) {
  return std::equal(a.characters_.begin(), a.characters_.end(), b.characters_.begin(), b.characters_.end(),
                    [](const auto& x, const auto& y) {
                      return x.code == y.code && sameValue(x.attributes, y.attributes) &&
                             sameValue(x.attachment, y.attachment);
                    });
}

}  // namespace kiro
