#include "link/link_manager.h"
#include "platform/platform.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

constexpr const char* kGrey = "灰色.png";

// Whether registry entry index is the remembered receiver. A record without both
// strings, or a name list shorter than the peripheral list, matches nothing.
bool isRemembered(const std::optional<StringDictionary>& remembered,
                  const std::optional<std::vector<std::string>>& names, const PeripheralList& peripherals,
                  std::size_t index) {
  if (!remembered || !names || index >= names->size() || !peripherals[index]) return false;
  const auto name = remembered->find("name");
  const auto uuid = remembered->find("uuid");
  return name != remembered->end() && uuid != remembered->end() && name->second == (*names)[index] &&
         uuid->second == peripherals[index]->identifier().UUIDString();
}

}  // namespace

bool lampIsLit(const ImageView& lamp) { return lamp.image() && *lamp.image() != kGrey; }

void cameraViewController::change2(LampArray lamps) {
  platform().log.line("回馈报文接收成功");
  if (lamps[0]) {
    blue();
    stop(timer05_);
    writeMethods({"0"}, 0.0);
    restart(timer05_, 85ms, weakly<cameraViewController>([](cameraViewController& screen) { screen.app3(); }));
  }
  if (lamps[1]) {
    stop(timer04_);
    stopPictures();
  }
  if (lamps[2]) red();
  if (lamps[3]) green();
}

void cameraViewController::green() {
  light(imageLamp01_, "绿.png", timer03green_, 1000ms, &cameraViewController::clearColor);
}

void cameraViewController::blue() {
  light(imageLamp02_, "蓝.png", timer03blue_, 85ms, &cameraViewController::clearColor2);
}

void cameraViewController::red() {
  light(imageLamp03_, "红.png", timer03red_, 1000ms, &cameraViewController::clearColor);
}

void cameraViewController::light(const std::shared_ptr<ImageView>& lamp, const char* image,
                                 std::shared_ptr<Timer>& timer, Millis interval,
                                 void (cameraViewController::*off)(ImageView&)) {
  lamp->setImage(image);
  lamp->setAccessibilityOn(true);
  restart(timer, interval, weakly<cameraViewController>([lamp, off](cameraViewController& screen) { (screen.*off)(*lamp); }));
}

void cameraViewController::clearColor(ImageView& imageView) {
  imageView.setImage(kGrey);
  imageView.setAccessibilityOn(false);
}

void cameraViewController::clearColor2(ImageView& imageView) { clearColor(imageView); }

void cameraViewController::change(const SharedPeripheralList& list) {
  auto& log = platform().log;
  log.line("主界面列表接收到通知方法");
  const auto remembered = platform().defaults.dictionary("iphone");
  auto& manager = singleton::defaultManager();
  commandsLine_->setText(manager.commands().accepted() ? "" : "Not accepting commands");
  if (!list || list->empty()) {
    testLabel_->setText("disconnected");
    return;
  }

  bool matched = false;
  // The size is read at each step: the list is the registry's live one.
  for (std::size_t i = 0; i < list->size(); ++i) {
    if (!isRemembered(remembered, manager.nameArray(), *list, i)) continue;
    matched = true;
    const std::string status = statusName((*list)[i]->state());
    log.print("进入成功，进行连接判定:%@", status);
    // The label is set before the request: the request's own nested update shows
    // "connecting", which this pass's older reading must not overwrite.
    testLabel_->setText(status);
    if (status == "disconnected" && manager.connectionFlag() == 1) requestConnection(i);
  }
  if (!matched) testLabel_->setText("disconnected");
}

void cameraViewController::requestConnection(std::size_t index) {
  platform().log.print("cell点击方法触发，将要传递的通知内容是:{indexRow = %@}", index);
  singleton::defaultManager().connectionService(index);
}

}  // namespace kiro
