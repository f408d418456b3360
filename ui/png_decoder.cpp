#include "ui/png_decoder.h"

#include <png.h>

#include <cmath>
#include <vector>

namespace kiro {

namespace {

Error failure(std::string why) { return {std::move(why)}; }

// The libpng message of a failed step; libpng may leave it empty.
Error failure(const png_image& image, const char* step) {
  const std::string message = image.message;
  return failure(message.empty() ? std::string(step) : std::string(step) + ": " + message);
}

std::uint8_t premultiplied(std::uint8_t channel, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((channel * alpha + 127u) / 255u);
}

}  // namespace

Result<Picture> decodePng(std::span<const std::uint8_t> data, double scale) {
  if (data.empty()) return failure("no data");
  if (!std::isfinite(scale) || scale <= 0) return failure("scale is not a positive number");

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return failure(image, "not a PNG");
  const std::size_t width = image.width;
  const std::size_t height = image.height;
  if (width == 0 || height == 0 || width > Picture::kMaxPixels / height) {
    png_image_free(&image);
    return failure("picture too large");
  }

  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(width * height * 4);
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return failure(image, "corrupt PNG");

  Picture picture(width, height, scale);
  for (std::size_t y = 0; y < height; ++y) {
    auto row = picture.row(y);
    const std::uint8_t* source = rgba.data() + y * width * 4;
    for (std::size_t x = 0; x < width; ++x, source += 4) {
      const std::uint8_t alpha = source[3];
      row[x] = {premultiplied(source[0], alpha), premultiplied(source[1], alpha), premultiplied(source[2], alpha), alpha};
    }
  }
  return picture;
}

}  // namespace kiro
