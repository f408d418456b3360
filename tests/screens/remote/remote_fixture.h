#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "link/link_manager.h"
#include "screens/remote/camera_view_controller.h"
#include "tests/support/simulated_world.h"

namespace kiro::remote_test {

using namespace std::chrono_literals;

// The remote screen on a 320 x 568 display, the link manager and simulated receivers,
// all on one virtual clock.
class RemoteScreenFixture : public ::testing::Test, protected SimulatedWorld {
 protected:
  void SetUp() override { singleton::resetShared(); }
  void TearDown() override { singleton::resetShared(); }

  singleton& manager() { return singleton::defaultManager(); }

  // A receiver in range that the device list picked earlier.
  SimulatedReceiver& addRemembered(const std::string& name = "KIRO-1") {
    auto& receiver = radio.addReceiver(name);
    defaults.set("iphone", StringDictionary{{"name", name}, {"uuid", receiver.identifier().UUIDString()}});
    return receiver;
  }

  // Loads the screen and lets it reconnect a remembered receiver. Ends right after a pump
  // tick: a timer of whole ticks started now ends at a later tick, just before it writes,
  // so a millisecond more shows as one frame more.
  SimulatedReceiver& loadAndConnect() {
    auto& receiver = addRemembered();
    remote->loadViewIfNeeded();
    loop.advance(2000ms);
    EXPECT_EQ(receiver.state(), PeripheralState::connected);
    receiver.clearWrites();
    return receiver;
  }

  // The command bytes the receiver got since the last call.
  static Bytes takeBytes(SimulatedReceiver& receiver) {
    Bytes bytes;
    for (const auto& write : receiver.writes()) bytes.insert(bytes.end(), write.bytes.begin(), write.bytes.end());
    receiver.clearWrites();
    return bytes;
  }

  // touches: 'F' F down, 'R' R down, 'r' R let go inside, 'o' R let go outside.
  void touch(std::string_view touches) {
    for (const char t : touches) {
      if (t == 'F') f->sendActions(ControlEvent::touchDown);
      if (t == 'R') r->sendActions(ControlEvent::touchDown);
      if (t == 'r') r->sendActions(ControlEvent::touchUpInside);
      if (t == 'o') r->sendActions(ControlEvent::touchUpOutside);
    }
  }

  // Green, blue, red: 'G', 'B', 'R' when lit, '-' when grey.
  std::string lamps() const {
    const auto shown = [](const ImageView& lamp, char colour, const char* lit) {
      return lamp.image() == lit ? colour : lamp.image() == "灰色.png" ? '-' : '?';
    };
    return {shown(*remote->imageLamp01(), 'G', "绿.png"), shown(*remote->imageLamp02(), 'B', "蓝.png"),
            shown(*remote->imageLamp03(), 'R', "红.png")};
  }

  std::shared_ptr<cameraViewController> remote = std::make_shared<cameraViewController>();
  const std::shared_ptr<Button> f = remote->writeButton();
  const std::shared_ptr<Button> r = remote->writeButton2();
};

}  // namespace kiro::remote_test
