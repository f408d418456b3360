#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ui/bitmap_context.h"
#include "platform/ui/picture.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

using test::allPixels;
using test::kBlue;
using test::kClear;
using test::kRed;
using test::solidPicture;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(PictureBitmap, SizeInPointsIsPixelsOverScaleAndUnholdableRequestsGiveAnEmptyPicture) {
  const Picture picture(100, 80, 2);
  EXPECT_EQ(picture.size(), (Size{50, 40}));
  EXPECT_TRUE(allPixels(picture, 0, 0, 100, 80, kClear));
  EXPECT_EQ(picture.pixel(100, 0), kClear);
  EXPECT_TRUE(picture.row(80).empty());

  struct Case {
    std::size_t width, height;
    double scale;
  };
  const Case refused[] = {
      {0, 10, 1},
      {10, 0, 1},
      {Picture::kMaxPixels + 1, 1, 1},
      {std::size_t{1} << 40, std::size_t{1} << 40, 1},  // the area overflows
      {10, 10, 0},
      {10, 10, -2},
      {10, 10, kNaN},
      {10, 10, kInfinity},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " @" << c.scale);
    const Picture empty(c.width, c.height, c.scale);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.size(), (Size{0, 0}));
  }
}

TEST(PictureDrawing, ABitmapHasItsSizeTimesItsScaleRoundedUpAndNoneWhenThatCannotBeHeld) {
  struct Case {
    Size size;
    double scale;
    std::size_t width, height;  // 0: empty
  };
  const Case cases[] = {
      {{20, 19}, 2, 40, 38},
      {{78, 20}, 1, 78, 20},
      {{20.2, 19}, 1, 21, 19},
      {{0, 19}, 1, 0, 0},
      {{-5, 19}, 1, 0, 0},
      {{kNaN, 19}, 1, 0, 0},
      {{1e9, 1e9}, 1, 0, 0},
      {{kInfinity, 1}, 1, 0, 0},
      {{20, 19}, kNaN, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size.width << " x " << c.size.height << " @" << c.scale);
    BitmapContext context(c.size, c.scale);
    EXPECT_EQ(context.image().pixelWidth(), c.width);
    EXPECT_EQ(context.image().pixelHeight(), c.height);
    context.draw(solidPicture(2, 2, 1, kRed), {{0, 0}, c.size});  // harmless on an empty bitmap
  }
}

TEST(PictureDrawing, StretchesToFillTheRectangleWhateverTheProportions) {
  // Left half red, right half blue; 4 x 2 pixels stretched to 20 x 19.
  Picture halves(4, 2, 1);
  for (std::size_t y = 0; y < 2; ++y) {
    auto row = halves.row(y);
    row[0] = row[1] = kRed;
    row[2] = row[3] = kBlue;
  }
  BitmapContext context({20, 19}, 1);
  context.draw(halves, makeRect(0, 0, 20, 19));
  const Picture& out = context.image();
  EXPECT_TRUE(allPixels(out, 0, 0, 8, 19, kRed));
  EXPECT_TRUE(allPixels(out, 12, 0, 20, 19, kBlue));
  for (std::size_t x = 8; x < 12; ++x) {
    const Pixel p = out.pixel(x, 9);
    EXPECT_EQ(p.alpha, 255) << x;
    EXPECT_EQ(p.red + p.blue, 255) << x;  // a blend of the two, nothing else
  }
}

TEST(PictureDrawing, HalvingGivesTheMeanOfEachBlock) {
  Picture checkerboard(4, 4, 2);
  for (std::size_t y = 0; y < 4; ++y)
    for (std::size_t x = 0; x < 4; ++x)
      checkerboard.row(y)[x] = (x + y) % 2 ? Pixel{255, 255, 255, 255} : Pixel{0, 0, 0, 255};
  BitmapContext context({2, 2}, 1);
  context.draw(checkerboard, makeRect(0, 0, 2, 2));
  EXPECT_TRUE(allPixels(context.image(), 0, 0, 2, 2, Pixel{128, 128, 128, 255}));
}

TEST(PictureDrawing, DrawsOnlyWhereTheRectangleAndTheBitmapMeet) {
  struct Case {
    Rect rect;
    std::size_t x0, y0, x1, y1;  // the pixels drawn; the rest stay clear
  };
  const Case cases[] = {
      {makeRect(-5, -5, 10, 10), 0, 0, 5, 5},
      {makeRect(6, 2, 100, 3), 6, 2, 10, 5},
      {makeRect(-1e300, -1e300, 2e300, 2e300), 0, 0, 10, 10},
      {makeRect(20, 0, 5, 5), 0, 0, 0, 0},
      {makeRect(0, 0, -5, 5), 0, 0, 0, 0},
      {makeRect(0, 0, kNaN, 5), 0, 0, 0, 0},
      {makeRect(kInfinity, 0, 5, 5), 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rect.origin.x << ", " << c.rect.origin.y << ", " << c.rect.size.width
                                    << " x " << c.rect.size.height);
    BitmapContext context({10, 10}, 1);
    context.draw(solidPicture(3, 3, 1, kRed), c.rect);
    for (std::size_t y = 0; y < 10; ++y)
      for (std::size_t x = 0; x < 10; ++x) {
        const bool inside = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
        ASSERT_EQ(context.image().pixel(x, y), inside ? kRed : kClear) << x << ", " << y;
      }
  }
}

TEST(PictureDrawing, ATranslucentPictureBlendsOverWhatIsThere) {
  BitmapContext context({1, 1}, 1);
  context.draw(solidPicture(1, 1, 1, kRed), makeRect(0, 0, 1, 1));
  context.draw(solidPicture(1, 1, 1, Pixel{0, 0, 128, 128}), makeRect(0, 0, 1, 1));
  EXPECT_EQ(context.image().pixel(0, 0), (Pixel{127, 0, 128, 255}));
}

}  // namespace
}  // namespace kiro
