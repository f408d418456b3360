#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform/ui/attributed_string.h"
#include "platform/ui/text_view.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

const TextAttributes kHelp{{"ArialMT", 12}, {5, LineBreakMode::byCharWrapping}, {0.5, 0.5, 0.5, 1}};

TEST(UiTextAttributedString, AnAttachmentIsOneCharacterWithoutAttributesInsertedBeforeThePosition) {
  AttributedString text("abc", kHelp);
  const TextAttachment picture{test::solidPicture(2, 2, 1, test::kRed)};

  EXPECT_TRUE(text.insertAttachment(picture, 1));
  EXPECT_TRUE(text.insertAttachment(picture, 4));  // at the end
  EXPECT_FALSE(text.insertAttachment(picture, 6));

  EXPECT_EQ(text.length(), 5u);
  EXPECT_EQ(text.string(), "a\uFFFCbc\uFFFC");
  for (std::size_t i : {0u, 2u, 3u}) {
    ASSERT_NE(text.attributesAt(i), nullptr) << i;
    EXPECT_EQ(*text.attributesAt(i), kHelp);
    EXPECT_EQ(text.attachmentAt(i), nullptr) << i;
  }
  for (std::size_t i : {1u, 4u}) {
    EXPECT_EQ(text.attributesAt(i), nullptr) << i;
    ASSERT_NE(text.attachmentAt(i), nullptr) << i;
    EXPECT_EQ(*text.attachmentAt(i), picture);
  }
  EXPECT_EQ(text.attributesAt(5), nullptr);
  EXPECT_EQ(text.attachmentAt(5), nullptr);
}

TEST(UiTextAttributedString, CountsCodePointsAndReadsIllFormedUtf8AsReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::size_t length;
    std::string readBack;
  };
  const Case cases[] = {
      {"Copyright © 2026", 16, "Copyright © 2026"},
      {"关于", 2, "关于"},
      {"\xFF" "a", 2, "\uFFFD" "a"},
      {"a\xE5\x85", 2, "a\uFFFD"},        // cut short
      {"\xED\xA0\x80", 3, "\uFFFD\uFFFD\uFFFD"},  // a surrogate
      {std::string("a\0b", 3), 3, std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.readBack);
    const AttributedString text(c.utf8);
    EXPECT_EQ(text.length(), c.length);
    EXPECT_EQ(text.string(), c.readBack);
    EXPECT_EQ(text.attributesAt(0), nullptr);
  }
}

}  // namespace
}  // namespace kiro
