#pragma once

#include <QDBusServiceWatcher>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

#include "platform/central.h"
#include "platform/qt/bluetooth/bluez_bus.h"
#include "platform/qt/bluetooth/qt_peripheral.h"

namespace kiro {

// The Bluetooth LE central on BlueZ's D-Bus API, with Qt's D-Bus. Every callback comes on
// its own turn of the Qt event loop, never from inside a call to it. It never waits on the
// Bluetooth daemon or the bus: a daemon that stalls holds up its answers, never the thread
// (see BluezBus). When the daemon goes away the central reports what a power-off reports,
// and when it is back what a power-on reports.
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

  // Ends the scan and every link and stops listening to the daemon; the central is then off for good.
  void release();
  // The daemon's objects were read anew or forgotten: the adapter is chosen again.
  void objectsReset();
  void objectsAdded(const QString& path, const QStringList& interfaces);
  void objectsRemoved(const QString& path, const QStringList& interfaces);
  void propertiesChanged(const QString& path, const QString& interface, const QVariantMap& changed);
  // Binds to the first adapter the daemon offers, and takes its power as the state.
  void chooseAdapter(const char* whyLinksEnd);
  void startDiscovery(int scan);
  void discoveryStopped();
  // A device of the adapter was heard: found (updated false) or its advertisement again.
  void deviceSeen(const QString& path, bool updated);
  // whyLinksEnd: the error each link gets when the radio goes off.
  void setState(CentralState state, const char* whyLinksEnd);
  QtPeripheral* ours(Peripheral& peripheral);
  void post(std::function<void()> call, Millis delay = Millis{0});

  CentralDelegate& delegate_;
  QtCentralOptions options_;
  CentralState state_ = CentralState::poweredOff;
  bool released_ = false;
  bool firstReported_ = false;  // the first state report waits for the daemon's first answer
  bool scanning_ = false;
  bool discovering_ = false;  // StartDiscovery asked of the adapter, and not stopped since
  int scan_ = 0;  // the scan a retry or an answer belongs to
  bool allowDuplicates_ = false;
  QString adapter_;  // the Adapter1 object in use; empty without one
  std::map<Uuid, std::shared_ptr<QtPeripheral>> peripherals_;
  // This scan's reports by device, with the name each was last reported under.
  std::map<Uuid, std::optional<std::string>> reported_;
  QObject context_;
  BluezBus bus_;
  QDBusServiceWatcher daemon_;
};

}  // namespace kiro
