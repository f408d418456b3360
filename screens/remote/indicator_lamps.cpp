#include "screens/remote/indicator_lamps.h"

#include "screens/remote/timer_field.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

constexpr const char* kGrey = "灰色.png";

}  // namespace

bool lampIsLit(const ImageView& lamp) { return lamp.image() && *lamp.image() != kGrey; }

IndicatorLamps::IndicatorLamps() {
  const std::shared_ptr<ImageView> lamps[] = {imageLamp01_, imageLamp02_, imageLamp03_};
  const char* names[] = {"imageLamp01", "imageLamp02", "imageLamp03"};
  const Text labels[] = {Text("Green lamp"), Text("Blue lamp"), Text("Red lamp")};
  for (std::size_t i = 0; i < 3; ++i) {
    lamps[i]->setName(names[i]);
    lamps[i]->setAccessibilityLabel(labels[i]);
    lamps[i]->setAccessibilityOn(false);
    lamps[i]->setImage(kGrey);
  }
}

IndicatorLamps::~IndicatorLamps() {
  stopTimer(timer03green_);
  stopTimer(timer03blue_);
  stopTimer(timer03red_);
}

void IndicatorLamps::green() { light(imageLamp01_, "绿.png", timer03green_, 1000ms, &clearColor); }

void IndicatorLamps::blue() { light(imageLamp02_, "蓝.png", timer03blue_, 85ms, &clearColor2); }

void IndicatorLamps::red() { light(imageLamp03_, "红.png", timer03red_, 1000ms, &clearColor); }

void IndicatorLamps::light(const std::shared_ptr<ImageView>& lamp, const char* image, std::shared_ptr<Timer>& timer,
                           Millis interval, void (*off)(ImageView&)) {
  lamp->setImage(image);
  lamp->setAccessibilityOn(true);
  // Two plain pointers, so the callback fits in the function's own buffer: this runs every
  // frame. The destructor stops the timers, so the lamp outlives them.
  restartTimer(timer, interval, [lamp = lamp.get(), off] { off(*lamp); });
}

void IndicatorLamps::clearColor(ImageView& imageView) {
  imageView.setImage(kGrey);
  imageView.setAccessibilityOn(false);
}

void IndicatorLamps::clearColor2(ImageView& imageView) { clearColor(imageView); }

}  // namespace kiro
