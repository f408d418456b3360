#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/command_acceptance.h"
#include "link/lamp_array.h"
#include "base/channel.h"
#include "platform/central.h"
#include "platform/log.h"
#include "platform/run_loop.h"

namespace kiro {

// The registry's live peripheral list: listeners share it, they never get a copy.
using SharedPeripheralList = std::shared_ptr<PeripheralList>;

class Screen;

// The one object that owns Bluetooth: it scans, keeps the registry of receivers found,
// connects on request, writes command bytes and turns feedback into lamp arrays.
// Screens reach it through defaultManager(): they act by calling it and hear from it by
// listening to its update and light.
class singleton final : public CentralDelegate, public PeripheralDelegate {
 public:
  // The shared instance, made on the first call from the installed platform.
  static singleton& defaultManager();
  // Destroys the shared instance; the next defaultManager() makes a fresh one. Tests start
  // afresh with it, and the app ends the instance before the platform it was made from.
  static void resetShared();
  static bool sharedExists();

  ~singleton() override;
  singleton(const singleton&) = delete;
  singleton& operator=(const singleton&) = delete;

  // Empties the registry and starts the scan again.
  void startBlueYooth();
  // update: every change of the registry or of a receiver, with the registry's live list.
  [[nodiscard]] Subscription onUpdate(std::function<void(const SharedPeripheralList&)> handler) {
    return update_.listen(std::move(handler));
  }
  // light: one lamp array per feedback byte, in byte order.
  [[nodiscard]] Subscription onLight(std::function<void(LampArray)> handler) { return light_.listen(std::move(handler)); }

  // Sends update with the registry's live list.
  void radioArr();
  // connectionService: connects registry entry indexRow when it is disconnected and lets
  // it go otherwise. A row outside the registry reaches no peripheral.
  void connectionService(std::size_t indexRow);
  // Drops the current connection, then starts a fresh scan.
  void changeList();
  void cancelPeripheral();
  void DisconnectLink();
  void youIsText(const std::string& text);
  // type: service UUID text; type2: characteristic UUID text; writeType: the frame's bit text.
  void writeDataType(const std::string& type, const std::string& type2, const std::string& writeType);

  std::int32_t connectionFlag() const { return connectionFlag_.load(); }
  void setConnectionFlag(std::int32_t flag) { connectionFlag_.store(flag); }
  void setMainView(std::shared_ptr<Screen> screen) { mainView_ = std::move(screen); }
  const std::shared_ptr<Screen>& mainView() const { return mainView_; }

  // Never null; empty before the first scan.
  const SharedPeripheralList& arr() const { return arr_; }
  // nullopt before the first scan start.
  const std::optional<std::vector<std::string>>& nameArray() const { return nameArray_; }
  // The current peripheral: the one last picked or last to report its services.
  std::shared_ptr<Peripheral> peripheral() const { return peripheral_; }
  // The peripheral last seen to offer the command service.
  std::shared_ptr<Peripheral> peripheralArr() const { return peripheralArr_; }
  const std::string& isText() const { return isText_; }
  const std::string& iAmText() const { return iAmText_; }
  Central& central() { return *central_; }
  // Whether the current receiver takes the command frames; every change is followed by update.
  const CommandAcceptance& commands() const { return commands_; }

  void centralDidUpdateState(Central& central) override;
  void didDiscoverPeripheral(Central& central, const std::shared_ptr<Peripheral>& peripheral,
                             const AdvertisementData& advertisement, int rssi) override;
  void didConnectPeripheral(Central& central, Peripheral& peripheral) override;
  void didFailToConnectPeripheral(Central& central, Peripheral& peripheral, const Result<>& result) override;
  void didDisconnectPeripheral(Central& central, Peripheral& peripheral, const Result<>& result) override;
  void willRestoreState(Central& central, const std::map<std::string, std::string>& state) override;
  void didRetrievePeripherals(Central& central, const PeripheralList& peripherals) override;
  void didRetrieveConnectedPeripherals(Central& central, const PeripheralList& peripherals) override;

  void didDiscoverServices(Peripheral& peripheral, const Result<>& result) override;
  void didDiscoverCharacteristics(Peripheral& peripheral, Service& service, const Result<>& result) override;
  void didDiscoverIncludedServices(Peripheral& peripheral, Service& service, const Result<>& result) override;
  void didUpdateNotificationState(Peripheral& peripheral, Characteristic& characteristic,
                                  const Result<>& result) override;
  void didUpdateValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>& result) override;
  void didWriteValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>& result) override;
  void didReadRSSI(Peripheral& peripheral, int rssi, const Result<>& result) override;

 private:
  singleton(RunLoop& runLoop, Log& log, Notices& notices);
  void attachCentral(const CentralFactory& makeCentral);

  void connectOrCancel(std::size_t indexRow);
  // Asks every characteristic the service lists to notify, logging each.
  void subscribeAll(Peripheral& peripheral, const Service& service);
  // The registry's own handle on a peripheral a callback names, or null.
  std::shared_ptr<Peripheral> shared(const Peripheral& peripheral) const;
  void makeCurrent(const Peripheral& peripheral);
  bool isCurrent(const Peripheral& peripheral) const { return peripheral_.get() == &peripheral; }

  void writeCharacteristic(const std::shared_ptr<Peripheral>& peripheral, const std::string& sUUID,
                           const std::string& cUUID, const Bytes& data);
  void dataChange(const std::string& bits);
  void light(const LampArray& lamps);
  void logText(const std::string& text);
  void addLogWithService(const Service& service);

  RunLoop& runLoop_;
  Log& log_;
  Channel<const SharedPeripheralList&> update_;
  Channel<LampArray> light_;

  SharedPeripheralList arr_ = std::make_shared<PeripheralList>();
  std::optional<std::vector<std::string>> nameArray_;
  // Every peripheral ever listed: callbacks name peripherals by reference, and one may
  // report after a scan start has dropped it from the registry.
  PeripheralList known_;
  std::atomic<std::int32_t> connectionFlag_{0};
  std::shared_ptr<Peripheral> peripheral_;
  std::shared_ptr<Peripheral> peripheralArr_;
  std::string isText_;
  std::string iAmText_;
  std::shared_ptr<Screen> mainView_;
  bool handlingConnectionService_ = false;
  CommandAcceptance commands_;

  std::unique_ptr<Central> central_;
};

}  // namespace kiro
