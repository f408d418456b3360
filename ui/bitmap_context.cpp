#include "ui/bitmap_context.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kiro {

namespace {

// Pixels along one side for a length in points; past the limit when too many to hold.
std::size_t pixelCount(double points, double scale) {
  const double pixels = std::ceil(points * scale - 1e-9);
  if (!std::isfinite(pixels) || pixels <= 0) return 0;
  constexpr double kPastLimit = static_cast<double>(Picture::kMaxPixels) + 1;
  return static_cast<std::size_t>(std::min(pixels, kPastLimit));
}

struct Span {
  std::size_t first;
  std::size_t end;
};

// The pixels of a row or column of size limit whose centres lie in [start, start + length).
Span coveredPixels(double start, double length, std::size_t limit) {
  const double top = static_cast<double>(limit);
  const double first = std::clamp(std::ceil(start - 0.5), 0.0, top);
  const double end = std::clamp(std::ceil(start + length - 0.5), 0.0, top);
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, end))};
}

struct Weights {
  std::size_t low;
  std::size_t high;
  double fraction;  // weight of high
};

// Where a sample at position (in source pixels, centres at n + 0.5) falls between two
// neighbouring pixels; the edges repeat outwards.
Weights neighbours(double position, std::size_t size) {
  const double last = static_cast<double>(size - 1);
  const double at = std::clamp(position - 0.5, 0.0, last);
  const double low = std::floor(at);
  const auto lowIndex = static_cast<std::size_t>(low);
  return {lowIndex, std::min(lowIndex + 1, size - 1), at - low};
}

// Bilinear: a smooth stretch, and the exact mean of each 2 x 2 block when halving.
Pixel sample(const Picture& picture, double u, double v) {
  const Weights x = neighbours(u, picture.pixelWidth());
  const Weights y = neighbours(v, picture.pixelHeight());
  const Pixel corners[4] = {picture.pixel(x.low, y.low), picture.pixel(x.high, y.low), picture.pixel(x.low, y.high),
                            picture.pixel(x.high, y.high)};
  const double weights[4] = {(1 - x.fraction) * (1 - y.fraction), x.fraction * (1 - y.fraction),
                             (1 - x.fraction) * y.fraction, x.fraction * y.fraction};
  double channels[4] = {};
  for (int i = 0; i < 4; ++i) {
    channels[0] += weights[i] * corners[i].red;
    channels[1] += weights[i] * corners[i].green;
    channels[2] += weights[i] * corners[i].blue;
    channels[3] += weights[i] * corners[i].alpha;
  }
  auto channel = [](double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); };
  return {channel(channels[0]), channel(channels[1]), channel(channels[2]), channel(channels[3])};
}

// Source over destination, both premultiplied.
void blend(Pixel& destination, const Pixel& source) {
  const unsigned keep = 255u - source.alpha;
  auto over = [keep](std::uint8_t src, std::uint8_t dst) {
    return static_cast<std::uint8_t>(src + (dst * keep + 127u) / 255u);
  };
  destination = {over(source.red, destination.red), over(source.green, destination.green),
                 over(source.blue, destination.blue), over(source.alpha, destination.alpha)};
}

}  // namespace

BitmapContext::BitmapContext(const Size& size, double scale)
    : bitmap_(pixelCount(size.width, scale), pixelCount(size.height, scale), scale) {}

void BitmapContext::draw(const Picture& picture, const Rect& rect) {
  if (picture.empty() || bitmap_.empty()) return;
  const double scale = bitmap_.scale();
  const double left = rect.minX() * scale;
  const double top = rect.minY() * scale;
  const double width = rect.size.width * scale;
  const double height = rect.size.height * scale;
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) || !std::isfinite(height)) return;
  if (width <= 0 || height <= 0) return;

  const Span columns = coveredPixels(left, width, bitmap_.pixelWidth());
  const Span rows = coveredPixels(top, height, bitmap_.pixelHeight());
  const double across = static_cast<double>(picture.pixelWidth()) / width;
  const double down = static_cast<double>(picture.pixelHeight()) / height;
  for (std::size_t y = rows.first; y < rows.end; ++y) {
    const double v = (static_cast<double>(y) + 0.5 - top) * down;
    auto row = bitmap_.row(y);
    for (std::size_t x = columns.first; x < columns.end; ++x) {
      const double u = (static_cast<double>(x) + 0.5 - left) * across;
      blend(row[x], sample(picture, u, v));
    }
  }
}

}  // namespace kiro
