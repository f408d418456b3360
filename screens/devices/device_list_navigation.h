#pragma once

namespace kiro {

class ViewController;

// What the device list's back button asks of the app shell.
class DeviceListNavigation {
 public:
  virtual ~DeviceListNavigation() = default;
  // The back button was let go; from: the screen it sits on.
  virtual void jump3(ViewController& from) = 0;
};

}  // namespace kiro
