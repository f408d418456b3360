#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "ui/picture.h"

namespace kiro {

// data: the bytes of a PNG file; scale: pixels per point it was drawn at. Any PNG colour
// type and depth gives 8-bit premultiplied pixels; data that is not a whole, sound PNG of
// at most Picture::kMaxPixels gives an error.
Result<Picture> decodePng(std::span<const std::uint8_t> data, double scale);

}  // namespace kiro
