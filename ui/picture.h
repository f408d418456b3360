#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/geometry.h"

namespace kiro {

// One pixel, premultiplied by its alpha: red, green and blue never exceed alpha.
struct Pixel {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// A bitmap: rows of pixels, top row first, at a scale of pixels per point, so its size
// in points is its pixel size over its scale.
class Picture {
 public:
  // The most pixels a picture holds; larger requests give an empty picture instead of
  // exhausting memory.
  static constexpr std::size_t kMaxPixels = std::size_t{1} << 24;

  // Empty: no pixels, size 0 x 0.
  Picture() = default;
  // width, height: in pixels; scale: pixels per point. All transparent. Empty when a side
  // is 0, the area exceeds kMaxPixels or scale is not a positive finite number.
  Picture(std::size_t width, std::size_t height, double scale);

  bool empty() const { return pixels_.empty(); }
  std::size_t pixelWidth() const { return width_; }
  std::size_t pixelHeight() const { return height_; }
  double scale() const { return scale_; }
  // In points.
  Size size() const;

  // x, y: in pixels from the top-left; transparent outside the picture.
  Pixel pixel(std::size_t x, std::size_t y) const;
  // y: in pixels from the top; empty outside the picture.
  std::span<Pixel> row(std::size_t y);
  std::span<const Pixel> row(std::size_t y) const;

  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  std::size_t width_ = 0;
  std::size_t height_ = 0;
  double scale_ = 1;
  std::vector<Pixel> pixels_;
};

}  // namespace kiro
