#include "platform/platform.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

void cameraViewController::change2(LampArray lamps) {
  platform().log.line("回馈报文接收成功");
  if (lamps[0]) {
    lamps_.blue();
    pump_.acknowledge();
    shotRecorder_.lampSeen("blue");
  }
  if (lamps[1]) pump_.endReleaseNotice();
  if (lamps[2]) {
    lamps_.red();
    shotRecorder_.lampSeen("red");
  }
  if (lamps[3]) {
    lamps_.green();
    shotRecorder_.lampSeen("green");
  }
}

}  // namespace kiro
