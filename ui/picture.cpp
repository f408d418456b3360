#include "ui/picture.h"

#include <cmath>

namespace kiro {

Picture::Picture(std::size_t width, std::size_t height, double scale) {
  if (width == 0 || height == 0 || width > kMaxPixels / height) return;
  if (!std::isfinite(scale) || scale <= 0) return;
  width_ = width;
  height_ = height;
  scale_ = scale;
  pixels_.resize(width * height);
}

Size Picture::size() const {
  return {static_cast<double>(width_) / scale_, static_cast<double>(height_) / scale_};
}

Pixel Picture::pixel(std::size_t x, std::size_t y) const {
  if (x >= width_ || y >= height_) return {};
  return pixels_[y * width_ + x];
}

std::span<Pixel> Picture::row(std::size_t y) {
  if (y >= height_) return {};
  return std::span<Pixel>(pixels_).subspan(y * width_, width_);
}

std::span<const Pixel> Picture::row(std::size_t y) const {
  if (y >= height_) return {};
  return std::span<const Pixel>(pixels_).subspan(y * width_, width_);
}

}  // namespace kiro
