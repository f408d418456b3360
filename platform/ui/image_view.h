#pragma once

#include <optional>
#include <string>

#include "platform/ui/view.h"

namespace kiro {

// Shows one picture, named by its asset file ("bj.png").
class ImageView : public View {
 public:
  ImageView() = default;
  explicit ImageView(std::optional<std::string> image) : image_(std::move(image)) {}

  // nullopt: no picture.
  const std::optional<std::string>& image() const { return image_; }
  void setImage(const std::optional<std::string>& image) { update(image_, image, ViewProperty::image); }

 private:
  std::optional<std::string> image_;
};

}  // namespace kiro
