#pragma once

#include <memory>

#include "platform/web_remote.h"
#include "ui/navigation_controller.h"
#include "screens/about/about_navigation.h"
#include "screens/devices/device_list_navigation.h"
#include "screens/remote/remote_navigation.h"

namespace kiro {

// Moves between the screens on the navigation stack, and keeps the link manager's
// connectionFlag in step: 0 while the device list opened from the remote screen is in
// front, 1 otherwise.
class ScreenNavigator final : public RemoteNavigation,
                              public DeviceListNavigation,
                              public AboutNavigation,
                              public std::enable_shared_from_this<ScreenNavigator> {
 public:
  explicit ScreenNavigator(std::weak_ptr<NavigationController> navigation) : navigation_(std::move(navigation)) {}

  // Remote screen: the device list over it.
  void jumpAbout(cameraViewController& from) override;
  // Remote screen: a fresh About screen alone on the stack.
  void jump2(cameraViewController& from) override;
  // Remote screen: the timed shooting screen over it; its Start brings the remote back.
  void openTimer(cameraViewController& from) override;
  // Device list: back to the screen below, whose status is redrawn 0.5 s later.
  void jump3(ViewController& from) override;
  // About screen: the remote screen over it again, the same instance as before.
  void jump3(aboutView& from) override;
  // About screen: the web remote's screen over it.
  void openWeb(aboutView& from) override;

  // remote: the run's web remote, or null; it must outlive the screens.
  void setWebRemote(WebRemote* remote) { webRemote_ = remote; }

 private:
  std::weak_ptr<NavigationController> navigation_;
  WebRemote* webRemote_ = nullptr;
};

}  // namespace kiro
