#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/picture.h"

namespace kiro::test {

inline constexpr Pixel kRed{255, 0, 0, 255};
inline constexpr Pixel kBlue{0, 0, 255, 255};
inline constexpr Pixel kClear{};

// width x height pixels at scale, every one of them pixel.
inline Picture solidPicture(std::size_t width, std::size_t height, double scale, Pixel pixel) {
  Picture picture(width, height, scale);
  for (std::size_t y = 0; y < height; ++y)
    for (auto& p : picture.row(y)) p = pixel;
  return picture;
}

// Whether every pixel of the rectangle [x0, x1) x [y0, y1) is pixel.
inline bool allPixels(const Picture& picture, std::size_t x0, std::size_t y0, std::size_t x1, std::size_t y1,
                      Pixel pixel) {
  for (std::size_t y = y0; y < y1; ++y)
    for (std::size_t x = x0; x < x1; ++x)
      if (picture.pixel(x, y) != pixel) return false;
  return true;
}

inline std::filesystem::path assetDirectory() { return KIRO_ASSET_DIR; }

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A folder of its own under the test temp directory, emptied first.
inline std::filesystem::path freshDirectory(const std::string& name) {
  const auto path = std::filesystem::path(::testing::TempDir()) / ("kiro_" + name);
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace kiro::test
