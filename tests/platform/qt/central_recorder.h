#pragma once

#include <memory>
#include <vector>

#include "platform/central.h"

namespace kiro {

// Records what a central and its peripherals report and, like the link manager, discovers
// everything and subscribes to every notifying characteristic once connected.
class CentralRecorder final : public CentralDelegate, public PeripheralDelegate {
 public:
  struct Discovery {
    std::shared_ptr<Peripheral> peripheral;
    AdvertisementData advertisement;
  };

  std::vector<CentralState> states;
  std::vector<Discovery> discoveries;
  std::vector<Peripheral*> connected, failed, disconnected;
  std::vector<BleError> failures;
  int subscriptions = 0;

  int discoveriesOf(const Uuid& identifier) const {
    int count = 0;
    for (const auto& d : discoveries) count += d.peripheral->identifier() == identifier ? 1 : 0;
    return count;
  }

  void centralDidUpdateState(Central& central) override { states.push_back(central.state()); }
  void didDiscoverPeripheral(Central&, const std::shared_ptr<Peripheral>& peripheral,
                             const AdvertisementData& advertisement, int) override {
    discoveries.push_back({peripheral, advertisement});
  }
  void didConnectPeripheral(Central&, Peripheral& peripheral) override {
    connected.push_back(&peripheral);
    peripheral.setDelegate(this);
    peripheral.discoverServices();
  }
  void didFailToConnectPeripheral(Central&, Peripheral& peripheral, const BleError& error) override {
    failed.push_back(&peripheral);
    failures.push_back(error);
  }
  void didDisconnectPeripheral(Central&, Peripheral& peripheral, const BleError&) override {
    disconnected.push_back(&peripheral);
  }
  void willRestoreState(Central&, const std::map<std::string, std::string>&) override {}
  void didRetrievePeripherals(Central&, const PeripheralList&) override {}
  void didRetrieveConnectedPeripherals(Central&, const PeripheralList&) override {}

  void didDiscoverServices(Peripheral& peripheral, const BleError&) override {
    for (const auto& service : peripheral.services()) peripheral.discoverCharacteristics(*service);
  }
  void didDiscoverCharacteristics(Peripheral& peripheral, Service& service, const BleError&) override {
    for (const auto& characteristic : service.characteristics) {
      if (characteristic->properties & property::notify) peripheral.setNotifyValue(true, *characteristic);
    }
  }
  void didDiscoverIncludedServices(Peripheral&, Service&, const BleError&) override {}
  void didUpdateNotificationState(Peripheral&, Characteristic& characteristic, const BleError& error) override {
    if (!error && characteristic.isNotifying) ++subscriptions;
  }
  void didUpdateValue(Peripheral&, Characteristic&, const BleError&) override {}
  void didWriteValue(Peripheral&, Characteristic&, const BleError&) override {}
  void didReadRSSI(Peripheral&, int, const BleError&) override {}
};

}  // namespace kiro
