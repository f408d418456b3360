#pragma once

#include <memory>

#include "platform/run_loop.h"
#include "ui/image_view.h"

namespace kiro {

// A lamp is lit while it shows anything but the grey picture.
bool lampIsLit(const ImageView& lamp);

// The green, blue and red lamps. Each is lit by the receiver's feedback and goes grey again
// when its own timer fires; lighting it again restarts that timer.
class IndicatorLamps {
 public:
  IndicatorLamps();
  ~IndicatorLamps();
  IndicatorLamps(const IndicatorLamps&) = delete;
  IndicatorLamps& operator=(const IndicatorLamps&) = delete;

  // Green, blue and red, left to right.
  const std::shared_ptr<ImageView>& imageLamp01() const { return imageLamp01_; }
  const std::shared_ptr<ImageView>& imageLamp02() const { return imageLamp02_; }
  const std::shared_ptr<ImageView>& imageLamp03() const { return imageLamp03_; }
  // Their timers; null until first lit.
  const std::shared_ptr<Timer>& timer03green() const { return timer03green_; }
  const std::shared_ptr<Timer>& timer03blue() const { return timer03blue_; }
  const std::shared_ptr<Timer>& timer03red() const { return timer03red_; }

  // Green and red for 1 s, blue for 85 ms.
  void green();
  void blue();
  void red();

  // Each puts a lamp back to grey.
  static void clearColor(ImageView& imageView);
  static void clearColor2(ImageView& imageView);

 private:
  static void light(const std::shared_ptr<ImageView>& lamp, const char* image, std::shared_ptr<Timer>& timer,
                    Millis interval, void (*off)(ImageView&));

  std::shared_ptr<ImageView> imageLamp01_ = std::make_shared<ImageView>();
  std::shared_ptr<ImageView> imageLamp02_ = std::make_shared<ImageView>();
  std::shared_ptr<ImageView> imageLamp03_ = std::make_shared<ImageView>();
  std::shared_ptr<Timer> timer03green_;
  std::shared_ptr<Timer> timer03blue_;
  std::shared_ptr<Timer> timer03red_;
};

}  // namespace kiro
