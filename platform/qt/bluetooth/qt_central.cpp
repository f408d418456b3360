#include "platform/qt/bluetooth/qt_central.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTimer>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

const QString kDaemon = QStringLiteral("org.bluez");
// The daemon takes its bus name a moment before it publishes its adapters.
constexpr int kAdapterAttempts = 10;
constexpr Millis kAdapterRetry{200};

CentralState stateOf(QBluetoothLocalDevice::HostMode mode) {
  return mode == QBluetoothLocalDevice::HostPoweredOff ? CentralState::poweredOff : CentralState::poweredOn;
}

}  // namespace

QtCentral::QtCentral(CentralDelegate& delegate, QtCentralOptions options)
    : delegate_(delegate),
      options_(options),
      daemon_(kDaemon, QDBusConnection::systemBus(),
              QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration) {
  if (attach()) state_ = stateOf(local_->hostMode());
  QObject::connect(&daemon_, &QDBusServiceWatcher::serviceUnregistered, &context_, [this] { detachFromDaemon(); });
  QObject::connect(&daemon_, &QDBusServiceWatcher::serviceRegistered, &context_, [this] { daemonRegistered(0); });
  // The link manager keeps its central to the end of the process, past the application
  // object, and Qt's Bluetooth objects cannot outlive that: they go when the loop ends.
  if (QCoreApplication* application = QCoreApplication::instance())
    QObject::connect(application, &QCoreApplication::aboutToQuit, &context_, [this] { release(); });
  post([this] { delegate_.centralDidUpdateState(*this); });
}

QtCentral::~QtCentral() { release(); }

bool QtCentral::attach() {
  const QList<QBluetoothHostInfo> adapters = QBluetoothLocalDevice::allDevices();
  if (adapters.isEmpty()) return false;
  auto local = std::make_unique<QBluetoothLocalDevice>(adapters.first().address());
  if (!local->isValid()) return false;
  local_ = std::move(local);
  QObject::connect(local_.get(), &QBluetoothLocalDevice::hostModeStateChanged, &context_,
                   [this](QBluetoothLocalDevice::HostMode mode) { hostModeChanged(mode); });
  agent_ = std::make_unique<QBluetoothDeviceDiscoveryAgent>(adapters.first().address());
  // No time limit where the platform allows it; where it does not, finished restarts it.
  agent_->setLowEnergyDiscoveryTimeout(0);
  QObject::connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, &context_,
                   [this](const QBluetoothDeviceInfo& info) { deviceSeen(info, false); });
  QObject::connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::deviceUpdated, &context_,
                   [this](const QBluetoothDeviceInfo& info) { deviceSeen(info, true); });
  QObject::connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::finished, &context_,
                   [this] { agentStopped(Millis{0}); });
  QObject::connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::errorOccurred, &context_,
                   [this] { agentStopped(options_.scanRetry); });
  return true;
}

void QtCentral::detachFromDaemon() {
  setState(CentralState::poweredOff, "The Bluetooth service stopped");
  if (agent_) QObject::disconnect(agent_.get(), nullptr, &context_, nullptr);
  agent_.reset();
  local_.reset();
}

void QtCentral::daemonRegistered(int attempt) {
  if (released_ || local_) return;
  if (attach()) setState(stateOf(local_->hostMode()), "Bluetooth was powered off");
  else if (attempt + 1 < kAdapterAttempts) post([this, attempt] { daemonRegistered(attempt + 1); }, kAdapterRetry);
}

void QtCentral::release() {
  released_ = true;
  scanning_ = false;
  if (agent_) {
    QObject::disconnect(agent_.get(), nullptr, &context_, nullptr);
    agent_->stop();
  }
  agent_.reset();
  local_.reset();
  state_ = CentralState::poweredOff;
  // The link manager may still hold its peripherals; they no longer report to us.
  for (auto& [id, peripheral] : peripherals_) peripheral->detach();
}

void QtCentral::post(std::function<void()> call, Millis delay) {
  QTimer::singleShot(delay, &context_, std::move(call));
}

void QtCentral::scanForPeripherals(bool allowDuplicates) {
  if (state_ != CentralState::poweredOn || !agent_) return;
  reported_.clear();
  allowDuplicates_ = allowDuplicates;
  scanning_ = false;  // the stop below must not restart the agent by itself
  if (agent_->isActive()) agent_->stop();
  scanning_ = true;
  post([this] { startAgent(); });
}

void QtCentral::stopScan() {
  scanning_ = false;
  if (agent_ && agent_->isActive()) agent_->stop();
}

void QtCentral::startAgent() {
  if (scanning_ && !agent_->isActive()) agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

void QtCentral::agentStopped(Millis retryAfter) {
  if (scanning_) post([this] { startAgent(); }, retryAfter);
}

void QtCentral::deviceSeen(const QBluetoothDeviceInfo& info, bool updated) {
  if (!scanning_ || !(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration)) return;
  // BlueZ lists every device it remembers when a scan starts, in range or not; only one
  // heard in this scan has a signal strength.
  if (info.rssi() == 0) return;
  if (updated && !allowDuplicates_) return;
  const Uuid id = deviceIdentifier(info);
  auto [entry, isNew] = peripherals_.try_emplace(id);
  if (isNew) entry->second = std::make_shared<QtPeripheral>(info, static_cast<LinkObserver&>(*this), options_.link);
  else entry->second->setInfo(info);

  const std::optional<std::string> name = deviceName(info);
  if (!updated) {
    // Once per scan; again only when a name turns up or changes. Qt repeats a discovery
    // alongside each update, which would report one advertisement twice.
    auto seen = reported_.find(id);
    if (seen != reported_.end() && seen->second == name) return;
    reported_[id] = name;
  }
  AdvertisementData advertisement;
  if (name) advertisement[kAdvertisementLocalName] = *name;
  post([this, peripheral = entry->second, advertisement, rssi = int{info.rssi()}] {
    if (scanning_) delegate_.didDiscoverPeripheral(*this, peripheral, advertisement, rssi);
  });
}

void QtCentral::hostModeChanged(QBluetoothLocalDevice::HostMode mode) {
  setState(stateOf(mode), "Bluetooth was powered off");
}

void QtCentral::setState(CentralState state, const char* whyLinksEnd) {
  if (state == state_) return;
  state_ = state;
  if (state_ == CentralState::poweredOff) {
    // Links and the scan end with the radio; power coming back restarts neither.
    stopScan();
    for (auto& [id, peripheral] : peripherals_) peripheral->drop(Error{whyLinksEnd});
  }
  post([this] { delegate_.centralDidUpdateState(*this); });
}

QtPeripheral* QtCentral::ours(Peripheral& peripheral) {
  auto it = peripherals_.find(peripheral.identifier());
  return it != peripherals_.end() && it->second.get() == &peripheral ? it->second.get() : nullptr;
}

void QtCentral::connectPeripheral(Peripheral& peripheral, bool) {
  // As with a scan: with the radio off the request is ignored, not failed a moment later.
  if (state_ != CentralState::poweredOn) return;
  if (QtPeripheral* p = ours(peripheral)) p->connect();
}

void QtCentral::cancelPeripheralConnection(Peripheral& peripheral) {
  if (QtPeripheral* p = ours(peripheral)) p->cancel();
}

void QtCentral::linkConnected(QtPeripheral& peripheral) { delegate_.didConnectPeripheral(*this, peripheral); }

void QtCentral::linkFailed(QtPeripheral& peripheral, const Result<>& result) {
  delegate_.didFailToConnectPeripheral(*this, peripheral, result);
}

void QtCentral::linkEnded(QtPeripheral& peripheral, const Result<>& result) {
  delegate_.didDisconnectPeripheral(*this, peripheral, result);
}

void QtCentral::stateChanged(QtPeripheral& peripheral) {
  if (options_.onStateChange) options_.onStateChange(peripheral);
}

void QtCentral::writeAccepted(QtPeripheral& peripheral, const Bytes& value, WriteType type) {
  if (options_.onWrite) options_.onWrite(peripheral, value, type);
}

void QtCentral::writeFailed(QtPeripheral& peripheral, const Bytes& value, const std::string& reason) {
  if (options_.onWriteFailed) options_.onWriteFailed(peripheral, value, reason);
}

int QtCentral::pendingWrites() const {
  int pending = 0;
  for (const auto& [id, peripheral] : peripherals_) pending += peripheral->pendingWrites();
  return pending;
}

namespace {

bool hasAdapter() { return !QBluetoothLocalDevice::allDevices().isEmpty(); }

CentralFactory centralFactory(QtCentralOptions options) {
  return [options](CentralDelegate& delegate) -> std::unique_ptr<Central> {
    return std::make_unique<QtCentral>(delegate, options);
  };
}

}  // namespace

}  // namespace kiro

const kiro::BluetoothModule* kiroBluetoothModule() {
  static const kiro::BluetoothModule module{kiro::hasAdapter, kiro::centralFactory};
  return &module;
}
