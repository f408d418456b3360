#pragma once

namespace kiro {

class cameraViewController;

// What the remote screen's navigation-bar buttons ask of the app shell.
class RemoteNavigation {
 public:
  virtual ~RemoteNavigation() = default;
  // The device-list button was let go; from: the screen it sits on.
  virtual void jumpAbout(cameraViewController& from) = 0;
  // The help button was let go; from: the screen it sits on.
  virtual void jump2(cameraViewController& from) = 0;
  // The timer button was let go with no timed sequence under way.
  virtual void openTimer(cameraViewController& from) = 0;
};

}  // namespace kiro
