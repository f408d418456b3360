#include "link/descriptions.h"
#include "link/link_manager.h"
#include "plan/schedule.h"
#include "platform/platform.h"
#include "platform/wall_clock.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

namespace {

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
  const bool latch = !sender.isSelected();
  pump_.endReleaseNotice();
  pump_.set(CommandFrame::focus, latch);
  sender.setSelected(latch);
  if (latch) showFocusPressed(sender);
  else showFocusReleased(sender);
  platform().log.line("写入数据方法触发");
}

void cameraViewController::writeData(Button& sender) {
  auto& log = platform().log;
  log.print("值为:%d", jumpFlag_);
  pump_.endReleaseNotice();
  pump_.set(CommandFrame::shutter, true);
  pump_.set(CommandFrame::focus, true);
  log.print("数组当前的状态是:%@", described(byteArray()));
  sender.setSelected(false);
  sender.setImage("拍照点击.png", ControlState::highlighted);
  sender.setImage("拍照.png", ControlState::normal);
  writeButton_->setSelected(true);
  showFocusPressed(*writeButton_);
}

void cameraViewController::returnData() {
  owner_ = ShutterOwner::none;
  writeButton2_->setImage("拍照.png", ControlState::normal);
  pump_.set(CommandFrame::shutter, false);
  pump_.set(CommandFrame::focus, false);
  pump_.startReleaseNotice();
  writeButton_->setSelected(false);
  showFocusReleased(*writeButton_);
}

void cameraViewController::clearTime() {
  if (timedShooting_.active()) return;
  // A held shutter goes as R's touch-up lets it go, never cut without its release notice.
  if (shutterHeld()) returnData();
  else pump_.clear();
}

std::uint64_t cameraViewController::pressShutter(ShutterOwner owner) {
  writeData(*writeButton2_);
  // A hand's press draws R pressed under the finger; a series' or a caller's, here.
  if (owner != ShutterOwner::hand) writeButton2_->setImage("拍照点击.png", ControlState::normal);
  owner_ = owner;
  return ++press_;
}

bool cameraViewController::releaseShutter(std::uint64_t press) {
  if (!shutterHeld() || press != press_) return false;
  returnData();
  return true;
}

bool cameraViewController::letGo(const Text& why) {
  const bool held = shutterHeld();
  // A sequence's own shot is let go by its stop; a hand's by its touch-up.
  timedShooting_.stop(why);
  if (shutterHeld()) returnData();
  return held;
}

Result<> cameraViewController::startTimedShooting(const ShootingPlan& plan) {
  auto schedule = schedulePlan(plan, wallClock(), keptLocation(platform().defaults));
  if (!schedule.ok()) return schedule.error();
  timedShooting_.start(std::move(schedule).value());
  shotRecorder_.start(timedShooting_.status().firstAt);
  return {};
}

void cameraViewController::getData() { singleton::defaultManager().startBlueYooth(); }

}  // namespace kiro
