#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_manager.h"
#include "platform/log.h"
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
  void SetUp() override {
    singleton::resetShared();
    updateRecorder = manager().onUpdate([this](const SharedPeripheralList& list) { updates.push_back(list); });
  }
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


  // Scans, picks entry 0 and lets connection and discovery finish.
  singleton& connectedToFirst() {
    scanned();
    manager().connectionService(0);
    loop.advance(2s);
    return manager();
  }

  VirtualRunLoop loop;
  MemoryUserDefaults defaults;
  CapturingLog log;
  RecordingNotices notices;
  SimulatedRadio radio{loop};
  Platform installed{loop, defaults, log, notices, radio.centralFactory()};
  PlatformScope scope{installed};

  std::vector<SharedPeripheralList> updates;
  Subscription updateRecorder;
};

}  // namespace kiro::link_test
