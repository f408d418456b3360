#include "ui/window_size.h"

#include <algorithm>
#include <cmath>

namespace kiro {

Size layoutSize(const Size& window, const Size& phone) {
  if (window.width <= 0 || window.height <= 0 || phone.width <= 0 || phone.height <= 0) return phone;
  const double scale = std::min(window.width / phone.width, window.height / phone.height);
  const auto room = [scale](double pixels, double points) {
    return points + std::max(0.0, std::floor((pixels - points * scale - 1) / scale));
  };
  return {room(window.width, phone.width), room(window.height, phone.height)};
}

}  // namespace kiro
