#pragma once

#include <QBluetoothDeviceInfo>
#include <QElapsedTimer>
#include <QLowEnergyController>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/qt/bluetooth/bluetooth_module.h"
#include "platform/qt/bluetooth/qt_gatt_service.h"
#include "platform/run_loop.h"

namespace kiro {

class QtPeripheral;

// How a peripheral's link ends up; each of these calls comes on its own turn of the run
// loop. What became of a write comes at once, as Qt tells it.
class LinkObserver {
 public:
  virtual ~LinkObserver() = default;
  virtual void linkConnected(QtPeripheral& peripheral) = 0;
  virtual void linkFailed(QtPeripheral& peripheral, const Result<>& result) = 0;
  virtual void linkEnded(QtPeripheral& peripheral, const Result<>& result) = 0;
  virtual void writeAccepted(QtPeripheral& peripheral, const Bytes& value, WriteType type) = 0;
  virtual void writeFailed(QtPeripheral& peripheral, const Bytes& value, const std::string& reason) = 0;
  // At once, whenever state() changes.
  virtual void stateChanged(QtPeripheral& peripheral) = 0;
};

// A remote device on a QLowEnergyController, made anew for each connection.
class QtPeripheral final : public Peripheral {
 public:
  // info: the device as last discovered; observer: the central.
  QtPeripheral(const QBluetoothDeviceInfo& info, LinkObserver& observer, LinkTiming timing);
  ~QtPeripheral() override;
  QtPeripheral(const QtPeripheral&) = delete;
  QtPeripheral& operator=(const QtPeripheral&) = delete;

  const Uuid& identifier() const override { return identifier_; }
  std::optional<std::string> name() const override;
  PeripheralState state() const override { return state_; }
  void setDelegate(PeripheralDelegate* delegate) override { delegate_ = delegate; }
  const std::vector<std::shared_ptr<Service>>& services() const override { return services_; }
  void discoverServices() override;
  void discoverCharacteristics(Service& service) override;
  void discoverIncludedServices(Service& service) override;
  void setNotifyValue(bool enabled, Characteristic& characteristic) override;
  void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) override;

  // The central's side.
  void setInfo(const QBluetoothDeviceInfo& info) { info_ = info; }
  void connect();
  void cancel();
  // The radio went off: the link ends now.
  void drop(const Error& reason);
  // The central is going away: end the link without reporting it.
  void detach();

  // Writes with response in flight or waiting.
  int pendingWrites() const;

 private:
  enum class Phase { idle, connecting, connected, closing };

  void startController(int attempt);
  void controllerStateChanged(QLowEnergyController::ControllerState state);
  void servicesDiscovered();
  void linkDown(const Result<>& result);
  void releaseController();
  // A write went unanswered: the link is built again, which empties Qt's and the daemon's queues.
  void writeStalled();
  void report(PeripheralCall call);
  void tellObserver(int attempt, Millis delay, std::function<void(LinkObserver&)> call);
  QtGattService* gattFor(const Service& service);
  QtGattService* gattFor(const Characteristic& characteristic);

  QBluetoothDeviceInfo info_;
  Uuid identifier_;
  LinkObserver* observer_;
  LinkTiming timing_;
  PeripheralDelegate* delegate_ = nullptr;
  void setState(PeripheralState state);

  PeripheralState state_ = PeripheralState::disconnected;
  Phase phase_ = Phase::idle;
  int attempt_ = 0;  // stale callbacks of earlier attempts compare unequal
  QElapsedTimer attemptClock_;
  QLowEnergyController* controller_ = nullptr;
  Result<> lastReport_;  // the controller's error in this attempt, once it reports one
  int serviceRequests_ = 0;
  std::vector<std::unique_ptr<QtGattService>> gatt_;
  std::vector<std::shared_ptr<Service>> services_;
  QObject context_;  // receives the controller's signals and the posted calls
  QTimer attemptTimer_;
};

}  // namespace kiro
