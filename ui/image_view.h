#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/run_loop.h"
#include "ui/picture.h"
#include "ui/view.h"

namespace kiro {

// Shows one picture, named by its asset file ("bj.png"), or plays a list of pictures in
// turn. A name without an extension means the ".png" file of that name.
class ImageView : public View {
 public:
  ImageView() = default;
  explicit ImageView(std::optional<std::string> image) : image_(std::move(image)) {}

  // nullopt: no picture.
  const std::optional<std::string>& image() const { return image_; }
  void setImage(const std::optional<std::string>& image) { update(image_, image, ViewProperty::image); }

  // A picture the app drew itself, such as a chart: shown instead of image() while set.
  const std::shared_ptr<const Picture>& picture() const { return picture_; }
  void setPicture(std::shared_ptr<const Picture> picture) { update(picture_, std::move(picture), ViewProperty::image); }

  // The frames, in the order they play.
  const std::vector<std::string>& animationImages() const { return animationImages_; }
  void setAnimationImages(const std::vector<std::string>& images) {
    update(animationImages_, images, ViewProperty::animation);
  }
  // One pass over all frames; zero or less: 1/30 s per frame.
  Millis animationDuration() const { return animationDuration_; }
  void setAnimationDuration(Millis duration) { update(animationDuration_, duration, ViewProperty::animation); }
  // Passes before the animation ends; 0: it never ends.
  unsigned animationRepeatCount() const { return animationRepeatCount_; }
  void setAnimationRepeatCount(unsigned count) { update(animationRepeatCount_, count, ViewProperty::animation); }

  void startAnimating() { update(animating_, true, ViewProperty::animation); }
  void stopAnimating() { update(animating_, false, ViewProperty::animation); }
  bool isAnimating() const { return animating_; }

  // What shows elapsed after startAnimating: the frame due in the pass under way; image()
  // when not animating, without frames, or once the last pass is over.
  std::optional<std::string> displayedImage(Millis elapsed) const;

 private:
  std::optional<std::string> image_;
  std::shared_ptr<const Picture> picture_;
  std::vector<std::string> animationImages_;
  Millis animationDuration_{0};
  unsigned animationRepeatCount_ = 0;
  bool animating_ = false;
};

}  // namespace kiro
