#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ui/picture.h"

namespace kiro {

// A picture read from a file, or why there is none.
struct LoadedPicture {
  Picture picture;    // empty on failure
  std::string error;  // empty on success
};

// data: the bytes of a PNG file; scale: pixels per point it was drawn at. Any PNG colour
// type and depth gives 8-bit premultiplied pixels; data that is not a whole, sound PNG of
// at most Picture::kMaxPixels gives an error.
LoadedPicture decodePng(std::span<const std::uint8_t> data, double scale);

}  // namespace kiro
