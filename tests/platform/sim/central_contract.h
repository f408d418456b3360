#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/central.h"
#include "platform/sim/simulated_radio.h"
#include "tests/platform/sim/central_recorder.h"

namespace kiro {

// A write as the receiver got it.
struct ReceivedWrite {
  Bytes bytes;
  WriteType type;
  friend bool operator==(const ReceivedWrite&, const ReceivedWrite&) = default;
};

// One backend under the contract: its central, reporting to recorder, and receivers with
// the KIRO's table, each named by what it advertises ("" for nothing).
class CentralHarness {
 public:
  virtual ~CentralHarness() = default;
  virtual Central& central() = 0;
  // A receiver in range, advertising from now on. Scans list receivers in the order added.
  virtual void addReceiver(const std::string& name) = 0;
  // The receiver's advertisement is heard again.
  virtual void advertiseAgain(const std::string& name) = 0;
  // response: what the receiver's next connect request does (on the fake bluetoothd, the
  // later ones too: cases name the answer before each request that depends on it).
  virtual void respondToConnect(const std::string& name, SimConnectionResponse response) = 0;
  // The receiver ends its link, as when switched off for a moment.
  virtual void dropLink(const std::string& name) = 0;
  // bytes: notified on "FFB2".
  virtual void notify(const std::string& name, const Bytes& bytes) = 0;
  virtual void setPowered(bool on) = 0;
  virtual std::vector<ReceivedWrite> writes(const std::string& name) = 0;
  // Lets time pass until done holds or a bound passes; false at the bound.
  virtual bool runUntil(const std::function<bool()>& done) = 0;
  // Lets time pass long enough for anything pending to be reported, and well short of the
  // central giving up on a connect.
  virtual void settle() = 0;

  CentralRecorder recorder;
};

// A backend the contract runs on: its name in test output and how to make its harness.
struct CentralBackend {
  const char* name;
  std::function<std::unique_ptr<CentralHarness>()> make;
  friend void PrintTo(const CentralBackend& backend, std::ostream* out) { *out << backend.name; }
};

// The contract's cases (central_contract_test.cpp), run on each backend's harness.
class CentralContract : public ::testing::TestWithParam<CentralBackend> {
 protected:
  // A central reports its state once, on the run loop after its making.
  void SetUp() override {
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(until("state on"), std::vector<std::string>{"state on"});
  }

  // Waits for event; returns what was reported up to then and forgets it.
  std::vector<std::string> until(const std::string& event) {
    EXPECT_TRUE(harness->runUntil([&] { return recorder.saw(event); })) << "no " << event;
    return recorder.take();
  }

  // Scans until the receiver is found; its peripheral reports to the recorder.
  std::shared_ptr<Peripheral> find(const std::string& name) {
    central.scanForPeripherals(false);
    until("discover " + name);
    central.stopScan();
    auto peripheral = recorder.found.at(name);
    peripheral->setDelegate(&recorder);
    return peripheral;
  }

  std::shared_ptr<Peripheral> connect(const std::string& name) {
    auto peripheral = find(name);
    central.connectPeripheral(*peripheral, true);
    until("connect " + name);
    return peripheral;
  }

  // Discovers the first service's characteristics; the one numbered uuid.
  std::shared_ptr<Characteristic> discover(Peripheral& peripheral, std::uint16_t uuid) {
    peripheral.discoverServices();
    until("services");
    auto& service = *peripheral.services().at(0);
    peripheral.discoverCharacteristics(service);
    until("characteristics " + service.uuid.UUIDString());
    for (const auto& characteristic : service.characteristics) {
      if (characteristic->uuid == BleUuid::from16(uuid)) return characteristic;
    }
    ADD_FAILURE() << "no characteristic " << uuid;
    return nullptr;
  }

  std::unique_ptr<CentralHarness> harness = GetParam().make();
  CentralRecorder& recorder = harness->recorder;
  Central& central = harness->central();
};

}  // namespace kiro
