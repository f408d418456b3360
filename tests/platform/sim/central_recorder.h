#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "codec/ble_data.h"
#include "platform/central.h"

namespace kiro {

// Records what a central and its peripherals report, in order and without times, as
// "<what> <about>[ error]": both backends must give the same list.
class CentralRecorder final : public CentralDelegate, public PeripheralDelegate {
 public:
  std::vector<std::string> events;
  // The peripheral last reported under each advertised name ("-" for none).
  std::map<std::string, std::shared_ptr<Peripheral>> found;

  std::vector<std::string> take() { return std::exchange(events, {}); }
  bool saw(const std::string& event) const { return std::find(events.begin(), events.end(), event) != events.end(); }

  void centralDidUpdateState(Central& central) override {
    add(central.state() == CentralState::poweredOn ? "state on" : "state off");
  }
  void didDiscoverPeripheral(Central&, const std::shared_ptr<Peripheral>& peripheral,
                             const AdvertisementData& advertisement, int) override {
    auto name = advertisement.find(kAdvertisementLocalName);
    const std::string label = name == advertisement.end() ? "-" : name->second;
    found[label] = peripheral;
    add("discover " + label);
  }
  void didConnectPeripheral(Central&, Peripheral& peripheral) override { add("connect " + nameOf(peripheral)); }
  void didFailToConnectPeripheral(Central&, Peripheral& peripheral, const BleError& error) override {
    add("fail " + nameOf(peripheral), error);
  }
  void didDisconnectPeripheral(Central&, Peripheral& peripheral, const BleError& error) override {
    add("disconnect " + nameOf(peripheral), error);
  }

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
    const Bytes value = characteristic.value.value_or(Bytes{});
    add("value " + characteristic.uuid.UUIDString() + " " + bleData::dataToByteTohex(value), error);
  }
  void didWriteValue(Peripheral&, Characteristic& characteristic, const BleError& error) override {
    add("written " + characteristic.uuid.UUIDString(), error);
  }

 private:
  static std::string nameOf(const Peripheral& peripheral) { return peripheral.name().value_or("-"); }
  void add(const std::string& what, const BleError& error = std::nullopt) {
    events.push_back(what + (error ? " error" : ""));
  }
};

}  // namespace kiro
