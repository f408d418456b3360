#include "link/descriptions.h"
#include "link/integer_value.h"
#include "link/link_manager.h"
#include "platform/platform.h"
#include "platform/wall_clock.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

constexpr double kSet = 0.0;
constexpr double kClear = 1.0;

// The looks of F: released, and pressed (while latched, or while R is held).
void showFocusReleased(Button& focus) {
  focus.setImage("对焦点击.png", ControlState::highlighted);
  focus.setImage("对焦.png", ControlState::normal);
}

void showFocusPressed(Button& focus) {
  focus.setImage("对焦.png", ControlState::highlighted);
  focus.setImage("对焦点击.png", ControlState::normal);
}

}  // namespace

void cameraViewController::writeData2(Button& sender) {
  if (sender.isSelected()) {
    sender.setSelected(false);
    showFocusReleased(sender);
    stop(timer04_);
    stopPictures();
    writeMethods({"3"}, kClear);
  } else {
    stop(timer04_);
    stopPictures();
    writeMethods({"3"}, kSet);
    sender.setSelected(true);
    showFocusPressed(sender);
  }
  platform().log.line("写入数据方法触发");
}

void cameraViewController::writeData(Button& sender) {
  auto& log = platform().log;
  log.print("值为:%d", jumpFlag_);
  stop(timer04_);
  writeMethods({"1"}, kClear);
  writeMethods({"2", "3"}, kSet);
  log.print("数组当前的状态是:%@", described(byteArray_));
  sender.setSelected(false);
  sender.setImage("拍照点击.png", ControlState::highlighted);
  sender.setImage("拍照.png", ControlState::normal);
  writeButton_->setSelected(true);
  showFocusPressed(*writeButton_);
}

void cameraViewController::returnData() {
  writeMethods({"2", "3"}, kClear);
  writeMethods({"1"}, kSet);
  restart(timer04_, 1000ms, weakly<cameraViewController>([](cameraViewController& screen) { screen.stopPictures(); }));
  writeButton_->setSelected(false);
  showFocusReleased(*writeButton_);
}

void cameraViewController::stopPictures() { writeMethods({"1"}, kClear); }

void cameraViewController::app3() { writeMethods({"0"}, kClear); }

void cameraViewController::writeMethods(const std::vector<std::string>& positions, double time) {
  const char* value = time == kSet ? "1" : time == kClear ? "0" : nullptr;
  if (value == nullptr) return;
  for (const auto& position : positions) {
    const auto index = integerValue(position);
    if (index >= 0 && static_cast<std::size_t>(index) < byteArray_.size())
      byteArray_[static_cast<std::size_t>(index)] = value;
  }
}

void cameraViewController::clearTime() {
  timedShooting_.stop();
  writeMethods({"0", "1", "2", "3"}, kClear);
}

bool cameraViewController::letGo(const std::string& why) {
  const bool held = shutterHeld();
  // A sequence's own shot is let go by its stop; a hand's by its touch-up.
  timedShooting_.stop(why);
  if (shutterHeld()) returnData();
  return held;
}

Result<> cameraViewController::startTimedShooting(const ShootingPlan& plan) {
  if (auto checked = checkPlan(plan); !checked.ok()) return checked;
  const Millis wait = firstShotIn(plan, wallClock());
  if (auto checked = checkRun(plan, wait); !checked.ok()) return checked;
  timedShooting_.start(plan, wait);
  return {};
}

void cameraViewController::roWrite() {
  const std::string text = byteArray_[0] + byteArray_[1] + byteArray_[2] + byteArray_[3] + "0000";
  if (text == "00000000") return;
  singleton::defaultManager().writeDataType("FFB0", "FFB2", text);
}

void cameraViewController::getData() { singleton::defaultManager().startBlueYooth(); }

}  // namespace kiro
