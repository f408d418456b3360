#include <gtest/gtest.h>

#include "ui/image_view.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// Without a duration each frame takes a thirtieth of a second; a pass near the longest
// duration must not overflow.
TEST(UiAnimation, FramesShareEachPassEvenlyAndTheStillImageShowsOutsideTheAnimation) {
  const Millis longest{std::chrono::milliseconds::max().count() / 2};
  const struct {
    Millis duration;
    unsigned repeats;
    Millis elapsed;
    const char* shown;
  } cases[] = {{1500ms, 0, -20ms, "a"}, {1500ms, 0, 499ms, "a"}, {1500ms, 0, 500ms, "b"}, {1500ms, 0, 3750ms, "b"},
               {1500ms, 2, 2999ms, "c"}, {1500ms, 2, 3000ms, "still.png"}, {0ms, 0, 32ms, "a"}, {0ms, 0, 33ms, "b"},
               {-5ms, 0, 99ms, "a"}, {longest, 0, longest / 2, "b"}, {longest, 0, longest - 1ms, "c"}};
  for (const auto& c : cases) {
    ImageView view("still.png");
    view.setAnimationImages({"a", "b", "c"});
    view.setAnimationDuration(c.duration);
    view.setAnimationRepeatCount(c.repeats);
    view.startAnimating();
    EXPECT_EQ(view.displayedImage(c.elapsed), c.shown) << c.duration.count() << " " << c.elapsed.count();
  }
  ImageView stopped("still.png");
  stopped.startAnimating();  // no frames
  EXPECT_EQ(stopped.displayedImage(600ms), "still.png");
}

}  // namespace
}  // namespace kiro
