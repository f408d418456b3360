#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/central.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"

namespace kiro {

// Records every central and peripheral callback as "<ms> <what> <about>[ error]".
class RecordingDelegate final : public CentralDelegate, public PeripheralDelegate {
 public:
  explicit RecordingDelegate(const RunLoop& loop) : loop_(loop) {}

  std::vector<std::string> events;
  // The latest report of each advertised name ("-" for none).
  std::map<std::string, std::shared_ptr<Peripheral>> found;
  std::map<std::string, AdvertisementData> advertisements;
  std::map<std::string, int> rssi;

  void centralDidUpdateState(Central& central) override {
    add(central.state() == CentralState::poweredOn ? "state on" : "state off");
  }
  void didDiscoverPeripheral(Central&, const std::shared_ptr<Peripheral>& peripheral,
                             const AdvertisementData& advertisement, int rssi) override {
    auto name = advertisement.find(kAdvertisementLocalName);
    const std::string label = name == advertisement.end() ? "-" : name->second;
    found[label] = peripheral;
    advertisements[label] = advertisement;
    this->rssi[label] = rssi;
    add("discover " + label);
  }
  void didConnectPeripheral(Central&, Peripheral& peripheral) override { add("connect " + nameOf(peripheral)); }
  void didFailToConnectPeripheral(Central&, Peripheral& peripheral, const BleError& error) override {
    add("fail " + nameOf(peripheral), error);
  }
  void didDisconnectPeripheral(Central&, Peripheral& peripheral, const BleError& error) override {
    add("disconnect " + nameOf(peripheral), error);
  }
  void willRestoreState(Central&, const std::map<std::string, std::string>&) override { add("restore"); }
  void didRetrievePeripherals(Central&, const PeripheralList&) override { add("retrieve"); }
  void didRetrieveConnectedPeripherals(Central&, const PeripheralList&) override { add("retrieve connected"); }

  void didDiscoverServices(Peripheral&, const BleError& error) override { add("services", error); }
  void didDiscoverCharacteristics(Peripheral&, Service& service, const BleError& error) override {
    add("characteristics " + service.uuid.UUIDString(), error);
  }
  void didDiscoverIncludedServices(Peripheral&, Service& service, const BleError& error) override {
    add("included " + service.uuid.UUIDString(), error);
  }
  void didUpdateNotificationState(Peripheral&, Characteristic& characteristic, const BleError& error) override {
    add("notifying " + characteristic.uuid.UUIDString() + (characteristic.isNotifying ? " on" : " off"), error);
  }
  void didUpdateValue(Peripheral&, Characteristic& characteristic, const BleError& error) override {
    add("value " + characteristic.uuid.UUIDString() + " " + hex(characteristic.value.value_or(Bytes{})), error);
  }
  void didWriteValue(Peripheral&, Characteristic& characteristic, const BleError& error) override {
    add("written " + characteristic.uuid.UUIDString(), error);
  }
  void didReadRSSI(Peripheral&, int, const BleError&) override { add("rssi"); }

  static std::string hex(const Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t byte : bytes) {
      std::snprintf(pair, sizeof pair, "%02X", byte);
      text += pair;
    }
    return text;
  }

 private:
  static std::string nameOf(const Peripheral& peripheral) { return peripheral.name().value_or("-"); }
  void add(const std::string& what, const BleError& error = std::nullopt) {
    events.push_back(std::to_string(loop_.now().count()) + " " + what + (error ? " error" : ""));
  }

  const RunLoop& loop_;
};

// A radio, one central reporting to the recorder, and the steps most tests start with.
class SimulatedRadioFixture : public ::testing::Test {
 protected:
  VirtualRunLoop loop;
  SimulatedRadio radio{loop};
  RecordingDelegate recorder{loop};
  std::unique_ptr<Central> central = radio.centralFactory()(recorder);

  // Scans until the receiver advertising name is found; its peripheral reports to the recorder.
  std::shared_ptr<Peripheral> find(const std::string& name) {
    central->scanForPeripherals(false);
    loop.advance(sim_latency::advertisement);
    auto peripheral = recorder.found.at(name);
    peripheral->setDelegate(&recorder);
    return peripheral;
  }

  // Finds and connects the receiver advertising name.
  std::shared_ptr<Peripheral> connectTo(const std::string& name) {
    auto peripheral = find(name);
    central->connectPeripheral(*peripheral, true);
    loop.advance(sim_latency::connection);
    EXPECT_EQ(peripheral->state(), PeripheralState::connected);
    return peripheral;
  }

  // Discovers every primary service and its characteristics; returns the one named uuid.
  std::shared_ptr<Characteristic> discoverAll(Peripheral& peripheral, const std::string& uuid) {
    peripheral.discoverServices();
    loop.advance(sim_latency::discovery);
    std::shared_ptr<Characteristic> wanted;
    for (const auto& service : peripheral.services()) {
      peripheral.discoverCharacteristics(*service);
      loop.advance(sim_latency::discovery);
      for (const auto& characteristic : service->characteristics) {
        if (characteristic->uuid.UUIDString() == uuid) wanted = characteristic;
      }
    }
    EXPECT_TRUE(wanted) << uuid << " not discovered";
    return wanted;
  }

  // The events recorded since the last call.
  std::vector<std::string> takeEvents() {
    auto taken = std::move(recorder.events);
    recorder.events.clear();
    return taken;
  }
};

}  // namespace kiro
