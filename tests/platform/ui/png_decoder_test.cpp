#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/asset_catalog.h"
#include "platform/ui/png_decoder.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 2 x 1 RGBA: red at half alpha, then opaque blue.
const Bytes kTranslucentPair = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x11, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xD0, 0xC0, 0xC0, 0xF0, 0xFF, 0x3F, 0x00, 0x0D, 0x7E, 0x03,
    0x7E, 0xEA, 0x1E, 0x17, 0x21, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// 1 x 1 eight-bit grey, value 200.
const Bytes kGrey = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
                     0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00, 0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x00,
                     0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x38, 0x01, 0x00, 0x00, 0xCA, 0x00, 0xC9,
                     0x99, 0xCA, 0x5D, 0x7E, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// A sound header claiming 100000 x 100000 pixels, with a little image data.
const Bytes kHuge = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
                     0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA8, 0x52, 0x0B, 0xC8, 0x00,
                     0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x40, 0x05, 0x00, 0x00, 0x10, 0x00,
                     0x01, 0x39, 0xBD, 0x8F, 0x65, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

TEST(PicturePng, DecodesEveryColourTypeToPremultipliedPixelsAtTheGivenScale) {
  const LoadedPicture pair = decodePng(kTranslucentPair, 2);
  ASSERT_EQ(pair.error, "");
  EXPECT_EQ(pair.picture.size(), (Size{1, 0.5}));
  EXPECT_EQ(pair.picture.pixel(0, 0), (Pixel{128, 0, 0, 128}));
  EXPECT_EQ(pair.picture.pixel(1, 0), test::kBlue);

  const LoadedPicture grey = decodePng(kGrey, 1);
  ASSERT_EQ(grey.error, "");
  EXPECT_EQ(grey.picture.pixel(0, 0), (Pixel{200, 200, 200, 255}));
}

TEST(PicturePng, RefusesWhatIsNotAWholeSoundPngWithAReason) {
  const Bytes logo = test::fileBytes(test::assetDirectory() / "logo说明.png");
  ASSERT_GT(logo.size(), 200u);
  Bytes truncated(logo.begin(), logo.begin() + static_cast<std::ptrdiff_t>(logo.size() / 2));
  Bytes flipped = logo;
  flipped[flipped.size() - 30] ^= 0xFF;  // inside the image data: its checksum no longer holds

  struct Case {
    const char* what;
    Bytes data;
    double scale;
    const char* reason;
  };
  const Case cases[] = {
      {"empty", {}, 2, "no data"},
      {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}, 2, "not a PNG"},
      {"signature only", Bytes(logo.begin(), logo.begin() + 8), 2, "not a PNG"},
      {"truncated", truncated, 2, "corrupt PNG"},
      {"corrupted", flipped, 2, "corrupt PNG"},
      {"too large", kHuge, 2, "picture too large"},
      {"no scale", kGrey, 0, "scale is not a positive number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadedPicture loaded = decodePng(c.data, c.scale);
    EXPECT_TRUE(loaded.picture.empty());
    EXPECT_EQ(loaded.error.rfind(c.reason, 0), 0u) << loaded.error;
  }
}

TEST(PictureAssets, LoadsAShippedPictureAtTwiceItsSizeInPoints) {
  const AssetCatalog catalog(test::assetDirectory());
  const LoadedPicture logo = catalog.load("logo说明.png");
  ASSERT_EQ(logo.error, "");
  EXPECT_EQ(logo.picture.pixelWidth(), 156u);
  EXPECT_EQ(logo.picture.scale(), 2);
  EXPECT_EQ(logo.picture.size(), (Size{78, 20}));
  bool drawn = false;
  for (std::size_t y = 0; y < logo.picture.pixelHeight(); ++y)
    for (const Pixel& p : logo.picture.row(y)) {
      drawn = drawn || p.alpha > 0;
      ASSERT_TRUE(p.red <= p.alpha && p.green <= p.alpha && p.blue <= p.alpha);
    }
  EXPECT_TRUE(drawn);
}

TEST(PictureAssets, AMissingUnreadableOrOutsideFileGivesAnErrorNamingIt) {
  const auto folder = test::freshDirectory("asset_errors");
  std::ofstream(folder / "broken.png") << "not a png";
  std::filesystem::create_directory(folder / "folder.png");
  std::ofstream(folder / "empty.png");
  const AssetCatalog catalog(folder);

  const std::vector<std::string> names = {"missing.png", "broken.png", "folder.png", "empty.png",
                                         "../asset_errors/broken.png", "..", "", std::string("a\0b", 3)};
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    const LoadedPicture loaded = catalog.load(name);
    EXPECT_TRUE(loaded.picture.empty());
    EXPECT_EQ(loaded.error.rfind("\"" + name + "\": ", 0), 0u) << loaded.error;
  }
}

}  // namespace
}  // namespace kiro
