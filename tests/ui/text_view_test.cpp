#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <tuple>

#include "ui/attributed_string.h"
#include "tests/ui/picture_test_support.h"

namespace kiro {
namespace {

TEST(UiAttributedString, AnAttachmentIsOneCharacterWithoutAttributesInsertedBeforeThePosition) {
  const TextAttributes help{{"ArialMT", 12}, {5, LineBreakMode::byCharWrapping}, {0.5, 0.5, 0.5, 1}};
  AttributedString text("abc", help);
  const TextAttachment picture{test::solidPicture(2, 2, 1, test::kRed)};
  EXPECT_TRUE(text.insertAttachment(picture, 1));
  EXPECT_TRUE(text.insertAttachment(picture, 4));  // at the end
  EXPECT_FALSE(text.insertAttachment(picture, 6));
  EXPECT_EQ(text.string(), "a\uFFFCbc\uFFFC");
  for (std::size_t i = 0; i < 6; ++i) {
    const bool attached = i == 1 || i == 4;
    EXPECT_EQ(text.attributesAt(i) != nullptr && *text.attributesAt(i) == help, !attached && i < 5) << i;
    EXPECT_EQ(text.attachmentAt(i) != nullptr && *text.attachmentAt(i) == picture, attached) << i;
  }
}

TEST(UiAttributedString, CountsCodePointsAndReadsIllFormedUtf8AsReplacementCharacters) {
  for (const auto& [utf8, length, readBack] : {std::tuple<std::string, std::size_t, std::string>{
                                                   "Copyright © 2026", 16, "Copyright © 2026"},
                                               {"\xFF" "a", 2, "\uFFFD" "a"},
                                               {"a\xE5\x85", 2, "a\uFFFD"},  // cut short
                                               {"\xED\xA0\x80", 3, "\uFFFD\uFFFD\uFFFD"},  // a surrogate
                                               {std::string("a\0b", 3), 3, std::string("a\0b", 3)}}) {
    const AttributedString text(utf8);
    EXPECT_EQ(text.length(), length) << readBack;
    EXPECT_EQ(text.string(), readBack);
  }
}

}  // namespace
}  // namespace kiro
