#include "ui/bitmap_context.h"
#include "ui/main_screen.h"
#include "screens/about/about_view.h"

namespace kiro {

namespace {

Picture drawnStretched(const Picture& image, const Size& size, double scale) {
  BitmapContext context(size, scale);
  context.draw(image, {{0, 0}, size});
  return context.image();
}

}  // namespace

Picture aboutView::scaleToSize(const Size& size, const Picture& image) {
  // Screens of scale 3 get scale 1 too.
  const double scale = mainScreen().scale == 2.0 ? 2.0 : 1.0;
  return drawnStretched(image, size, scale);
}

Picture aboutView::scaleToSize(const Picture& image, const Size& size) { return drawnStretched(image, size, 1.0); }

Picture aboutView::imageCompressWithSimple(const Picture& image, float scale) {
  const Size size = image.size();
  BitmapContext context(size, image.scale());
  context.draw(image, {{0, 0}, {size.width * scale, size.height * scale}});
  return context.image();
}

}  // namespace kiro
