#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/link_manager.h"
#include "platform/ui/main_screen.h"
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

  // number: makes the identifier; name: what it advertises.
  SimulatedReceiver& addReceiver(std::uint8_t number, const std::string& name) {
    SimulatedReceiver::Options options;
    std::array<std::uint8_t, 16> bytes{0x4B, 0x49, 0x52, 0x4F};
    bytes[15] = number;
    options.identifier = Uuid(bytes);
    options.advertisedName = name;
    return radio.addReceiver(std::move(options));
  }

  // A receiver in range that the device list picked earlier.
  SimulatedReceiver& addRemembered(std::uint8_t number = 1, const std::string& name = "KIRO-1") {
    auto& receiver = addReceiver(number, name);
    defaults.set("iphone", StringDictionary{{"name", name}, {"uuid", receiver.identifier().UUIDString()}});
    return receiver;
  }

  // Loads the screen and lets it find and reconnect the remembered receiver. Ends 10 ms
  // after a pump tick, so touches land between ticks.
  void loadAndConnect(SimulatedReceiver& receiver) {
    screen->loadViewIfNeeded();
    loop.advance(2010ms);
    ASSERT_EQ(receiver.state(), PeripheralState::connected);
    receiver.clearWrites();
  }

  // The command bytes the receiver got since the last call.
  static Bytes takeBytes(SimulatedReceiver& receiver) {
    Bytes bytes;
    for (const auto& write : receiver.writes()) bytes.insert(bytes.end(), write.bytes.begin(), write.bytes.end());
    receiver.clearWrites();
    return bytes;
  }

  void touchF(ControlEvent event) { screen->writeButton()->sendActions(event); }
  void touchR(ControlEvent event) { screen->writeButton2()->sendActions(event); }
  void post(const std::string& name, UserInfo userInfo) { center.post(name, std::move(userInfo)); }

  std::shared_ptr<cameraViewController> screen = std::make_shared<cameraViewController>();
};

}  // namespace kiro::remote_test
