#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "ui/bitmap_context.h"
#include "ui/picture.h"
#include "tests/ui/picture_test_support.h"

namespace kiro {
namespace {

using test::allPixels;
using test::kBlue;
using test::kClear;
using test::kRed;
using test::solidPicture;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A bitmap gets its size times its scale in pixels, rounded up; what no picture can hold
// gives an empty one.
TEST(PictureBitmap, SizeInPointsIsPixelsOverScaleAndUnholdableRequestsGiveAnEmptyPicture) {
  const Picture picture(100, 80, 2);
  EXPECT_EQ(picture.size(), (Size{50, 40}));
  EXPECT_EQ(solidPicture(2, 2, 1, kRed).pixel(2, 0), kClear);
  EXPECT_TRUE(picture.row(80).empty() && Picture(100, 80, 2).row(80).empty());
  for (const auto& [width, height, scale] : {std::tuple{std::size_t{0}, std::size_t{10}, 1.0},
                                             {Picture::kMaxPixels + 1, 1, 1.0},
                                             {std::size_t{1} << 40, std::size_t{1} << 40, 1.0},  // the area overflows
                                             {10, 10, 0.0}, {10, 10, kNaN}})
    EXPECT_EQ(Picture(width, height, scale).size(), (Size{0, 0})) << width << " x " << height << " @" << scale;
  for (const auto& [size, scale, width] : {std::tuple{Size{20.2, 19}, 1.0, std::size_t{21}}, {Size{0, 19}, 1.0, 0},
                                          {Size{kNaN, 19}, 1.0, 0}, {Size{1e9, 1e9}, 1.0, 0}, {Size{2, 2}, kNaN, 0}}) {
    BitmapContext context(size, scale);
    EXPECT_EQ(context.image().pixelWidth(), width) << size.width << " @" << scale;
    context.draw(solidPicture(2, 2, 1, kRed), {{0, 0}, size});  // harmless on an empty bitmap
  }
}

// Left half red, right half blue, 4 x 2 pixels: stretched, each colour keeps its side;
// halved, each pixel is the mean of its 2 x 2 block.
TEST(PictureDrawing, StretchesToFillTheRectangleAndHalvesToTheMeanOfEachBlock) {
  Picture halves(4, 2, 1);
  for (std::size_t y = 0; y < 2; ++y) {
    auto row = halves.row(y);
    row[0] = row[1] = kRed;
    row[2] = row[3] = kBlue;
  }
  BitmapContext stretched({20, 19}, 1);
  stretched.draw(halves, makeRect(0, 0, 20, 19));
  EXPECT_TRUE(allPixels(stretched.image(), 0, 0, 8, 19, kRed));
  EXPECT_TRUE(allPixels(stretched.image(), 12, 0, 20, 19, kBlue));
  halves.row(1)[1] = kBlue;
  halves.row(1)[2] = kRed;
  BitmapContext halved({2, 1}, 1);
  halved.draw(halves, makeRect(0, 0, 2, 1));
  EXPECT_EQ(halved.image().pixel(0, 0), (Pixel{191, 0, 64, 255}));
  EXPECT_EQ(halved.image().pixel(1, 0), (Pixel{64, 0, 191, 255}));
}

TEST(PictureDrawing, DrawsOnlyWhereTheRectangleAndTheBitmapMeetBlendingOverWhatIsThere) {
  for (const auto& [rect, x0, y0, x1, y1] : {std::tuple{makeRect(-5, -5, 10, 10), 0, 0, 5, 5},
                                             {makeRect(6, 2, 100, 3), 6, 2, 10, 5},
                                             {makeRect(-1e300, -1e300, 2e300, 2e300), 0, 0, 10, 10},
                                             {makeRect(0, 0, -5, 5), 0, 0, 0, 0},
                                             {makeRect(0, 0, kNaN, 5), 0, 0, 0, 0}}) {
    BitmapContext context({10, 10}, 1);
    context.draw(solidPicture(3, 3, 1, kRed), rect);
    for (std::size_t y = 0; y < 10; ++y)
      for (std::size_t x = 0; x < 10; ++x) {
        const bool inside = x >= std::size_t(x0) && x < std::size_t(x1) && y >= std::size_t(y0) && y < std::size_t(y1);
        ASSERT_EQ(context.image().pixel(x, y), inside ? kRed : kClear) << rect.minX() << ": " << x << ", " << y;
      }
  }
  BitmapContext context({1, 1}, 1);
  context.draw(solidPicture(1, 1, 1, kRed), makeRect(0, 0, 1, 1));
  context.draw(solidPicture(1, 1, 1, Pixel{0, 0, 128, 128}), makeRect(0, 0, 1, 1));
  EXPECT_EQ(context.image().pixel(0, 0), (Pixel{127, 0, 128, 255}));
}

}  // namespace
}  // namespace kiro
