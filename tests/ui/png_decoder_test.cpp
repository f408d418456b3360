#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "ui/asset_catalog.h"
#include "ui/png_decoder.h"
#include "tests/ui/picture_test_support.h"
#include "tests/support/failure.h"

namespace kiro {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 2 x 1 RGBA: red at half alpha, then opaque blue.
const Bytes kTranslucentPair = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x11, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xD0, 0xC0, 0xC0, 0xF0, 0xFF, 0x3F, 0x00, 0x0D, 0x7E, 0x03,
    0x7E, 0xEA, 0x1E, 0x17, 0x21, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// A sound header claiming 100000 x 100000 pixels, with a little image data.
const Bytes kHuge = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
                     0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA8, 0x52, 0x0B, 0xC8, 0x00,
                     0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x40, 0x05, 0x00, 0x00, 0x10, 0x00,
                     0x01, 0x39, 0xBD, 0x8F, 0x65, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

TEST(PicturePng, DecodesToPremultipliedPixelsAtTheGivenScale) {
  const auto decoded = decodePng(kTranslucentPair, 2);
  ASSERT_EQ(failure(decoded), "");
  const Picture& pair = decoded.value();
  EXPECT_EQ(pair.size(), (Size{1, 0.5}));
  EXPECT_EQ(pair.pixel(0, 0), (Pixel{128, 0, 0, 128}));
  EXPECT_EQ(pair.pixel(1, 0), test::kBlue);
}

TEST(PicturePng, RefusesWhatIsNotAWholeSoundPngWithAReason) {
  const Bytes logo = test::fileBytes(test::assetDirectory() / "logo说明.png");
  const Bytes truncated(logo.begin(), logo.begin() + static_cast<std::ptrdiff_t>(logo.size() / 2));
  for (const auto& [data, scale, reason] : {std::tuple<Bytes, double, std::string>{{}, 2, "no data"},
                                            {Bytes{'n', 'o', 't', ' ', 'p', 'n', 'g'}, 2, "not a PNG"},
                                            {truncated, 2, "corrupt PNG"},
                                            {kHuge, 2, "picture too large"},
                                            {kTranslucentPair, 0, "scale is not a positive number"}}) {
    EXPECT_TRUE(failure(decodePng(data, scale)).starts_with(reason)) << reason;
  }
}

TEST(PictureAssets, LoadsAShippedPictureAtTwiceItsSizeInPointsAndNamesWhatItCannotLoad) {
  EXPECT_EQ(AssetCatalog(test::assetDirectory()).load("logo说明.png").value().size(), (Size{78, 20}));
  const auto folder = test::freshDirectory("asset_errors");
  std::ofstream(folder / "broken.png") << "not a png";
  std::filesystem::create_directory(folder / "folder.png");
  const AssetCatalog catalog(folder);
  for (const std::string name : {"missing.png", "broken.png", "folder.png", "../asset_errors/broken.png", "..", ""}) {
    EXPECT_TRUE(failure(catalog.load(name)).starts_with('"' + name + "\": ")) << name;
  }
}

}  // namespace
}  // namespace kiro
