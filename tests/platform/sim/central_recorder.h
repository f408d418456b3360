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
  void didFailToConnectPeripheral(Central&, Peripheral& peripheral, const Result<>& result) override {
    add("fail " + nameOf(peripheral), result);
  }
  void didDisconnectPeripheral(Central&, Peripheral& peripheral, const Result<>& result) override {
    add("disconnect " + nameOf(peripheral), result);
  }

  void didDiscoverServices(Peripheral&, const Result<>& result) override { add("services", result); }
  void didDiscoverCharacteristics(Peripheral&, Service& service, const Result<>& result) override {
    add("characteristics " + service.uuid.UUIDString(), result);
  }
  void didDiscoverIncludedServices(Peripheral&, Service& service, const Result<>& result) override {
    add("included " + service.uuid.UUIDString(), result);
  }
  void didUpdateNotificationState(Peripheral&, Characteristic& characteristic, const Result<>& result) override {
    add("notifying " + characteristic.uuid.UUIDString() + (characteristic.isNotifying ? " on" : " off"), result);
  }
  void didUpdateValue(Peripheral&, Characteristic& characteristic, const Result<>& result) override {
    const Bytes value = characteristic.value.value_or(Bytes{});
    add("value " + characteristic.uuid.UUIDString() + " " + bleData::dataToByteTohex(value), result);
  }
  void didWriteValue(Peripheral&, Characteristic& characteristic, const Result<>& result) override {
    add("written " + characteristic.uuid.UUIDString(), result);
  }

 private:
  static std::string nameOf(const Peripheral& peripheral) { return peripheral.name().value_or("-"); }
  void add(const std::string& what, const Result<>& result = {}) {
    events.push_back(what + (result.ok() ? "" : " error"));
  }
};

}  // namespace kiro
