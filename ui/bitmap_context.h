#pragma once

#include "ui/geometry.h"
#include "ui/picture.h"

namespace kiro {

// A fresh, transparent bitmap that pictures are drawn into, to make a new picture.
class BitmapContext {
 public:
  // size: in points; scale: pixels per point. Each side gets size × scale pixels, rounded
  // up. A size or scale that gives no pixels, or more than a picture holds, gives an empty
  // bitmap, into which nothing is drawn.
  BitmapContext(const Size& size, double scale);

  // picture: drawn over what is there, stretched to fill rect (in points, from the
  // top-left) whatever its own proportions; what falls outside the bitmap is cut off.
  void draw(const Picture& picture, const Rect& rect);

  // The bitmap as drawn so far.
  const Picture& image() const { return bitmap_; }

 private:
  Picture bitmap_;
};

}  // namespace kiro
