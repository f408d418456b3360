#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_manager.h"
#include "platform/log.h"
#include "platform/notification_center.h"
#include "platform/platform.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/user_defaults.h"

namespace kiro::link_test {

using namespace std::chrono_literals;

inline Uuid receiverIdentifier(std::uint8_t number) {
  std::array<std::uint8_t, 16> bytes{0x4B, 0x49, 0x52, 0x4F};
  bytes[15] = number;
  return Uuid(bytes);
}

class LinkManagerFixture : public ::testing::Test {
 protected:
  void SetUp() override { singleton::resetShared(); }
  void TearDown() override { singleton::resetShared(); }

  singleton& manager() { return singleton::defaultManager(); }

  SimulatedReceiver& addReceiver(std::uint8_t number, std::string name, SimGattTable gatt = kiroGattTable()) {
    return *radio.addReceiver({receiverIdentifier(number), std::move(name), std::nullopt, std::move(gatt)}).value();
  }

  // Starts a scan and lets every receiver in range be found.
  singleton& scanned() {
    manager().startBlueYooth();
    loop.advance(1s);
    return manager();
  }

  // A request as the device list posts it.
  void pick(const std::string& indexRow) { center.post("connectionService", {{"indexRow", indexRow}}); }

  // Scans, picks entry 0 and lets connection and discovery finish.
  singleton& connectedToFirst() {
    scanned();
    pick("0");
    loop.advance(2s);
    return manager();
  }

  VirtualRunLoop loop;
  NotificationCenter center;
  MemoryUserDefaults defaults;
  CapturingLog log;
  SimulatedRadio radio{loop};
  Platform installed{loop, center, defaults, log, radio.centralFactory()};
  PlatformScope scope{installed};

  std::vector<SharedPeripheralList> updates;
  ObserverToken updateRecorder = center.addObserver("update", [this](const Notification& n) {
    updates.push_back(n.value<SharedPeripheralList>("arrKey").value_or(nullptr));
  });
};

}  // namespace kiro::link_test
