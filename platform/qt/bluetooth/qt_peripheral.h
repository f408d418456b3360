#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/qt/bluetooth/bluetooth_module.h"
#include "platform/qt/bluetooth/qt_gatt_service.h"
#include "platform/run_loop.h"

namespace kiro {

class QtPeripheral;

// How a peripheral's link ends up; each of these calls comes on its own turn of the run
// loop. What became of a write comes at once, as the daemon tells it.
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

// A remote device: BlueZ's Device1 object of the central's adapter, driven without ever
// waiting on the daemon. Each connection gets its services anew.
class QtPeripheral final : public Peripheral {
 public:
  // address: the device's, as BlueZ writes it; alias: its name as BlueZ last told it;
  // observer: the central. bus must outlive it, or detach() come first.
  QtPeripheral(BluezBus& bus, const QString& address, const QString& alias, LinkObserver& observer,
               LinkTiming timing);
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
  void setAlias(const QString& alias) { alias_ = alias; }
  // adapter: the Adapter1 object to connect through.
  void connect(const QString& adapter);
  void cancel();
  // The radio went off: the link ends now.
  void drop(const Error& reason);
  // The central is going away: end the link without reporting it.
  void detach();
  // What the daemon says of objects: the device's Device1, and the GATT objects under it.
  void deviceChanged(const QString& path, const QVariantMap& changed);
  void deviceRemoved(const QString& path);
  void characteristicChanged(const QString& path, const QVariantMap& changed);

  // Writes with response in flight or waiting.
  int pendingWrites() const;

 private:
  enum class Phase { idle, connecting, connected, closing };

  void startConnect(int attempt);
  void linkUp();
  void linkDown(const Result<>& result);
  // Asks the daemon to end the link; the next connect waits for its answer.
  void disconnect();
  void releaseLink();
  // A write went unanswered: the link is built again, which empties the daemon's queue.
  void writeStalled();
  void report(PeripheralCall call);
  void tellObserver(int attempt, Millis delay, std::function<void(LinkObserver&)> call);
  QtGattService* gattFor(const Service& service);
  QtGattService* gattFor(const Characteristic& characteristic);
  void setState(PeripheralState state);

  BluezBus* bus_;  // null once detached
  QString address_;
  QString alias_;
  Uuid identifier_;
  LinkObserver* observer_;
  LinkTiming timing_;
  PeripheralDelegate* delegate_ = nullptr;

  PeripheralState state_ = PeripheralState::disconnected;
  Phase phase_ = Phase::idle;
  int attempt_ = 0;  // stale callbacks of earlier attempts compare unequal
  QElapsedTimer attemptClock_;
  QString adapter_;
  QString device_;  // this attempt's Device1 object
  bool linked_ = false;  // the daemon was asked to connect (or was connected already) and has not ended it
  bool awaitingServices_ = false;  // connected once BlueZ says the services are resolved
  bool disconnecting_ = false;  // a Disconnect not answered yet
  bool connectWhenDisconnected_ = false;
  std::vector<std::unique_ptr<QtGattService>> gatt_;
  std::vector<std::shared_ptr<Service>> services_;
  QObject context_;  // receives the daemon's answers and the posted calls
  QTimer attemptTimer_;
};

}  // namespace kiro
