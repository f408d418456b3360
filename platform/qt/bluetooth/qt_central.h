#pragma once

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothLocalDevice>
#include <QDBusServiceWatcher>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

#include "platform/central.h"
#include "platform/qt/bluetooth/qt_peripheral.h"

namespace kiro {

// The Bluetooth LE central on Qt Bluetooth. Every callback comes on its own turn of the
// Qt event loop, never from inside a call to it. When the Bluetooth daemon goes away the
// central reports what a power-off reports, and when it is back what a power-on reports.
class QtCentral final : public Central, private LinkObserver {
 public:
  // Without an adapter the central stays powered off.
  explicit QtCentral(CentralDelegate& delegate, QtCentralOptions options = {});
  ~QtCentral() override;
  QtCentral(const QtCentral&) = delete;
  QtCentral& operator=(const QtCentral&) = delete;

  CentralState state() const override { return state_; }
  void scanForPeripherals(bool allowDuplicates) override;
  void stopScan() override;
  void connectPeripheral(Peripheral& peripheral, bool notifyOnDisconnection) override;
  void cancelPeripheralConnection(Peripheral& peripheral) override;

  // Writes with response in flight or waiting, over every peripheral.
  int pendingWrites() const;

 private:
  void linkConnected(QtPeripheral& peripheral) override;
  void linkFailed(QtPeripheral& peripheral, const Result<>& result) override;
  void linkEnded(QtPeripheral& peripheral, const Result<>& result) override;
  void writeAccepted(QtPeripheral& peripheral, const Bytes& value, WriteType type) override;
  void writeFailed(QtPeripheral& peripheral, const Bytes& value, const std::string& reason) override;
  void stateChanged(QtPeripheral& peripheral) override;

  // Ends the scan and every link and lets go of Qt's objects; the central is then off for good.
  void release();
  // Binds to the first adapter the daemon offers; false when it offers none.
  bool attach();
  // Lets go of Qt's objects bound to the daemon, which has gone.
  void detachFromDaemon();
  void daemonRegistered(int attempt);
  void startAgent();
  void agentStopped(Millis retryAfter);
  void deviceSeen(const QBluetoothDeviceInfo& info, bool updated);
  void hostModeChanged(QBluetoothLocalDevice::HostMode mode);
  // whyLinksEnd: the error each link gets when the radio goes off.
  void setState(CentralState state, const char* whyLinksEnd);
  QtPeripheral* ours(Peripheral& peripheral);
  void post(std::function<void()> call, Millis delay = Millis{0});

  CentralDelegate& delegate_;
  QtCentralOptions options_;
  CentralState state_ = CentralState::poweredOff;
  bool released_ = false;
  bool scanning_ = false;
  bool allowDuplicates_ = false;
  std::map<Uuid, std::shared_ptr<QtPeripheral>> peripherals_;
  // This scan's reports by device, with the name each was last reported under.
  std::map<Uuid, std::optional<std::string>> reported_;
  QObject context_;
  std::unique_ptr<QBluetoothLocalDevice> local_;  // null without an adapter
  std::unique_ptr<QBluetoothDeviceDiscoveryAgent> agent_;
  QDBusServiceWatcher daemon_;
};

}  // namespace kiro
