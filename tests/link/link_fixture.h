#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
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

// Keeps every line with the virtual time it was written at, so a test can see how long
// the main thread stood still between two lines.
class TimedLog final : public Log {
 public:
  struct Entry {
    Millis time;
    std::string text;
  };

  explicit TimedLog(const RunLoop& clock) : clock_(clock) {}
  void line(std::string_view text) override { entries.push_back({clock_.now(), std::string(text)}); }

  std::size_t count(std::string_view text) const {
    return static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(), [text](const Entry& e) { return e.text == text; }));
  }
  bool contains(std::string_view text) const { return count(text) > 0; }

  std::vector<Entry> entries;

 private:
  const RunLoop& clock_;
};

inline Uuid receiverIdentifier(std::uint8_t number) {
  std::array<std::uint8_t, 16> bytes{0x4B, 0x49, 0x52, 0x4F};
  bytes[15] = number;
  return Uuid(bytes);
}

// Answers every "update" the way the remote control screen does: while the remembered
// receiver is listed and neither connecting nor connected, it asks for its connection.
class ReconnectingScreen {
 public:
  ReconnectingScreen(NotificationCenter& center, Uuid remembered) : center_(center), remembered_(remembered) {
    token_ = center.addObserver("update", [this](const Notification& n) { answer(n); });
  }
  int requests = 0;
  int deepest = 0;

 private:
  // Far deeper than any sound exchange goes; reaching it means the cycle does not end.
  static constexpr int kRunaway = 64;

  void answer(const Notification& notification) {
    const auto list = notification.value<SharedPeripheralList>("arrKey");
    if (!list || !*list) return;
    for (std::size_t i = 0; i < (*list)->size(); ++i) {
      const auto& entry = (**list)[i];
      if (entry->identifier() != remembered_) continue;
      const auto state = entry->state();
      if (state == PeripheralState::connecting || state == PeripheralState::connected) return;
      if (depth_ >= kRunaway) {
        ADD_FAILURE() << "update and connectionService keep calling each other";
        return;
      }
      ++requests;
      ++depth_;
      deepest = std::max(deepest, depth_);
      center_.post("connectionService", {{"indexRow", format("%d", i)}});
      --depth_;
      return;
    }
  }

  NotificationCenter& center_;
  Uuid remembered_;
  int depth_ = 0;
  ObserverToken token_;
};

class LinkManagerFixture : public ::testing::Test {
 protected:
  void SetUp() override { singleton::resetShared(); }
  void TearDown() override { singleton::resetShared(); }

  singleton& manager() { return singleton::defaultManager(); }

  SimulatedReceiver& addReceiver(std::uint8_t number, std::string advertisedName,
                                 SimGattTable gatt = kiroGattTable()) {
    SimulatedReceiver::Options options;
    options.identifier = receiverIdentifier(number);
    options.advertisedName = std::move(advertisedName);
    options.gatt = std::move(gatt);
    return radio.addReceiver(std::move(options));
  }

  // Starts a scan and lets every receiver in range be found.
  singleton& scanned() {
    auto& link = manager();
    link.startBlueYooth();
    loop.advance(1s);
    return link;
  }

  // A request as the device list posts it.
  void pick(const std::string& indexRow) { center.post("connectionService", {{"indexRow", indexRow}}); }

  // Scans, picks entry 0 and lets connection and discovery finish.
  singleton& connectedToFirst() {
    auto& link = scanned();
    pick("0");
    loop.advance(2s);
    return link;
  }

  static std::vector<std::string> names(const singleton& link) {
    return link.nameArray().value_or(std::vector<std::string>{});
  }

  VirtualRunLoop loop;
  NotificationCenter center;
  MemoryUserDefaults defaults;
  TimedLog log{loop};
  SimulatedRadio radio{loop};
  Platform installed{loop, center, defaults, log, radio.centralFactory()};
  PlatformScope scope{installed};

  std::vector<SharedPeripheralList> updates;
  std::vector<LampArray> lights;
  ObserverToken updateRecorder = center.addObserver("update", [this](const Notification& n) {
    updates.push_back(n.value<SharedPeripheralList>("arrKey").value_or(nullptr));
  });
  ObserverToken lightRecorder = center.addObserver("light", [this](const Notification& n) {
    lights.push_back(n.value<LampArray>("lightArray").value_or(LampArray{}));
  });
};

}  // namespace kiro::link_test
