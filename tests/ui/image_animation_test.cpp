#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/image_view.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<ImageView> connecting(Millis duration, unsigned repeatCount) {
  auto view = std::make_unique<ImageView>("still.png");
  view->setAnimationImages({"a", "b", "c"});
  view->setAnimationDuration(duration);
  view->setAnimationRepeatCount(repeatCount);
  view->startAnimating();
  return view;
}

TEST(UiAnimation, FramesShareEachPassEvenlyAndPassesRepeatWithoutEndAtCountZero) {
  const auto view = connecting(1500ms, 0);
  const std::vector<std::pair<Millis, std::string>> cases = {
      {0ms, "a"},    {499ms, "a"},  {500ms, "b"},  {999ms, "b"},           {1000ms, "c"},
      {1499ms, "c"}, {1500ms, "a"}, {3750ms, "b"}, {86'400'000ms, "a"}, {-20ms, "a"},
  };
  for (const auto& [elapsed, frame] : cases) EXPECT_EQ(view->displayedImage(elapsed), frame) << elapsed.count();
}

TEST(UiAnimation, AFiniteAnimationEndsOnTheStillImage) {
  const auto view = connecting(1500ms, 2);
  EXPECT_EQ(view->displayedImage(2999ms), "c");
  EXPECT_EQ(view->displayedImage(3000ms), "still.png");
}

TEST(UiAnimation, WithoutADurationEachFrameTakesAThirtiethOfASecond) {
  const auto view = connecting(0ms, 0);
  EXPECT_EQ(view->displayedImage(32ms), "a");
  EXPECT_EQ(view->displayedImage(33ms), "b");
  EXPECT_EQ(view->displayedImage(66ms), "c");
  EXPECT_EQ(view->displayedImage(99ms), "a");
  EXPECT_EQ(connecting(-5ms, 0)->displayedImage(40ms), "b");
}

TEST(UiAnimation, AVeryLongPassPicksItsFramesWithoutOverflow) {
  const Millis pass{std::chrono::milliseconds::max().count() / 2};
  const auto view = connecting(pass, 0);
  EXPECT_EQ(view->displayedImage(pass - 1ms), "c");
  EXPECT_EQ(view->displayedImage(pass / 2), "b");
}

TEST(UiAnimation, StoppedOrWithoutFramesTheStillImageShows) {
  const auto view = connecting(1500ms, 0);
  view->stopAnimating();
  EXPECT_EQ(view->displayedImage(600ms), "still.png");

  ImageView empty("still.png");
  empty.startAnimating();
  EXPECT_EQ(empty.displayedImage(600ms), "still.png");
}

}  // namespace
}  // namespace kiro
