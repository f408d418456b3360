#include "ui/image_view.h"

#include <algorithm>
#include <cstdint>

namespace kiro {

namespace {
// The toolkit's pace when no duration is set: 30 frames a second.
constexpr std::int64_t kDefaultFrameMillis = 1000 / 30;
}  // namespace

std::optional<std::string> ImageView::displayedImage(Millis elapsed) const {
  if (!animating_ || animationImages_.empty()) return image_;
  const std::size_t frames = animationImages_.size();
  std::int64_t pass = animationDuration_.count();
  if (pass <= 0) pass = static_cast<std::int64_t>(frames) * kDefaultFrameMillis;
  const std::int64_t since = std::max<std::int64_t>(elapsed.count(), 0);
  if (animationRepeatCount_ != 0 && since / pass >= static_cast<std::int64_t>(animationRepeatCount_)) return image_;
  // In floating point: a long pass times many frames would overflow an integer.
  const double share = static_cast<double>(since % pass) / static_cast<double>(pass);
  const auto frame = static_cast<std::size_t>(share * static_cast<double>(frames));
  return animationImages_[std::min(frame, frames - 1)];
}

}  // namespace kiro
