#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/image_view.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<ImageView> animating(Millis duration, unsigned repeatCount) {
  auto view = std::make_unique<ImageView>("still.png");
  view->setAnimationImages({"a", "b", "c"});
  view->setAnimationDuration(duration);
  view->setAnimationRepeatCount(repeatCount);
  view->startAnimating();
  return view;
}

TEST(UiAnimation, FramesShareEachPassEvenlyAndTheStillImageShowsAfterTheLastPass) {
  const auto forever = animating(1500ms, 0);
  const std::vector<std::pair<Millis, std::string>> cases = {
      {-20ms, "a"}, {499ms, "a"},  {500ms, "b"},  {1000ms, "c"},
      {1499ms, "c"}, {1500ms, "a"}, {3750ms, "b"}, {86'400'000ms, "a"},
  };
  for (const auto& [elapsed, frame] : cases) EXPECT_EQ(forever->displayedImage(elapsed), frame) << elapsed.count();

  const auto twice = animating(1500ms, 2);
  EXPECT_EQ(twice->displayedImage(2999ms), "c");
  EXPECT_EQ(twice->displayedImage(3000ms), "still.png");
  twice->stopAnimating();
  EXPECT_EQ(twice->displayedImage(600ms), "still.png");
}

TEST(UiAnimation, OddDurationsNeitherDivideByZeroNorOverflow) {
  // Without a duration each frame takes a thirtieth of a second.
  const auto unset = animating(0ms, 0);
  EXPECT_EQ(unset->displayedImage(32ms), "a");
  EXPECT_EQ(unset->displayedImage(33ms), "b");
  EXPECT_EQ(animating(-5ms, 0)->displayedImage(99ms), "a");

  const Millis pass{std::chrono::milliseconds::max().count() / 2};
  const auto endless = animating(pass, 0);
  EXPECT_EQ(endless->displayedImage(pass / 2), "b");
  EXPECT_EQ(endless->displayedImage(pass - 1ms), "c");

  ImageView empty("still.png");
  empty.startAnimating();
  EXPECT_EQ(empty.displayedImage(600ms), "still.png");
}

}  // namespace
}  // namespace kiro
