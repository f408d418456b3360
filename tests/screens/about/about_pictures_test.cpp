#include <gtest/gtest.h>

#include <limits>

#include "platform/ui/main_screen.h"
#include "screens/about/about_view.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

using test::allPixels;
using test::kClear;
using test::kRed;
using test::solidPicture;

TEST(AboutPictures, ScaleToSizeStretchesAtScaleTwoOnlyOnAScaleTwoScreenAndToASizeAtScaleOne) {
  // 10 x 40 pixels: far from the 20 x 19 it is stretched to.
  const Picture tall = solidPicture(10, 40, 1, kRed);
  struct Case {
    double screenScale;
    double pictureScale;
  };
  for (const Case c : {Case{2, 2}, Case{3, 1}, Case{1, 1}, Case{1.5, 1}}) {
    SCOPED_TRACE(c.screenScale);
    const MainScreen screen{{375, 667}, c.screenScale};
    MainScreenScope display(screen);
    const Picture out = aboutView::scaleToSize(Size{20, 19}, tall);
    EXPECT_EQ(out.size(), (Size{20, 19}));
    EXPECT_EQ(out.scale(), c.pictureScale);
    EXPECT_TRUE(allPixels(out, 0, 0, out.pixelWidth(), out.pixelHeight(), kRed));

    const Picture plain = aboutView::scaleToSize(tall, Size{78, 20});
    EXPECT_EQ(plain.scale(), 1);
    EXPECT_EQ(plain.size(), (Size{78, 20}));
  }
}

TEST(AboutPictures, CompressDrawsFromTheTopLeftAtTheFactorWithinTheSameSize) {
  const Picture picture = solidPicture(100, 80, 1, kRed);

  const Picture half = aboutView::imageCompressWithSimple(picture, 0.5f);
  EXPECT_EQ(half.size(), (Size{100, 80}));
  EXPECT_TRUE(allPixels(half, 0, 0, 50, 40, kRed));
  EXPECT_TRUE(allPixels(half, 50, 0, 100, 80, kClear));
  EXPECT_TRUE(allPixels(half, 0, 40, 50, 80, kClear));

  // Above 1 the drawing is cut at the edges: its top-left quarter fills the picture.
  Picture quartered = solidPicture(100, 80, 1, kClear);
  for (std::size_t y = 0; y < 40; ++y)
    for (std::size_t x = 0; x < 50; ++x) quartered.row(y)[x] = kRed;
  const Picture doubled = aboutView::imageCompressWithSimple(quartered, 2.0f);
  EXPECT_EQ(doubled.size(), (Size{100, 80}));
  EXPECT_TRUE(allPixels(doubled, 0, 0, 99, 79, kRed));

  // A picture drawn at scale 2 keeps its scale and its size in points.
  const Picture sharp = aboutView::imageCompressWithSimple(solidPicture(100, 80, 2, kRed), 0.5f);
  EXPECT_EQ(sharp.size(), (Size{50, 40}));
  EXPECT_EQ(sharp.scale(), 2);
  EXPECT_TRUE(allPixels(sharp, 0, 0, 50, 40, kRed));
  EXPECT_TRUE(allPixels(sharp, 50, 40, 100, 80, kClear));

  for (float senseless : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    const Picture clear = aboutView::imageCompressWithSimple(picture, senseless);
    EXPECT_EQ(clear.size(), (Size{100, 80}));
    EXPECT_TRUE(allPixels(clear, 0, 0, 100, 80, kClear)) << senseless;
  }
}

}  // namespace
}  // namespace kiro
