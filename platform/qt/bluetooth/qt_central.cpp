#include "platform/qt/bluetooth/qt_central.h"

#include <QBluetoothLocalDevice>
#include <QBluetoothUuid>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QTimer>

#include "platform/qt/bluetooth/address_uuid.h"
#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

const char* const kDaemonStopped = "The Bluetooth service stopped";
const char* const kPoweredOff = "Bluetooth was powered off";

QString objectPath(const QVariant& value) { return value.value<QDBusObjectPath>().path(); }

// As Qt Bluetooth tells a dual-mode device that speaks LE: it lists a GATT-based service.
bool likelyLowEnergy(const QStringList& uuids) {
  for (const QString& text : uuids) {
    bool isShort = false;
    const quint16 value = QBluetoothUuid(text).toUInt16(&isShort);
    if (isShort && (value & 0x1800) == 0x1800) return true;
  }
  return false;
}

}  // namespace

QtCentral::QtCentral(CentralDelegate& delegate, QtCentralOptions options)
    : delegate_(delegate),
      options_(options),
      bus_({[this] { objectsReset(); },
            [this](const QString& path, const QStringList& interfaces) { objectsAdded(path, interfaces); },
            [this](const QString& path, const QStringList& interfaces) { objectsRemoved(path, interfaces); },
            [this](const QString& path, const QString& interface, const QVariantMap& changed) {
              propertiesChanged(path, interface, changed);
            }}),
      daemon_(kBluez, QDBusConnection::systemBus(),
              QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration) {
  QObject::connect(&daemon_, &QDBusServiceWatcher::serviceUnregistered, &context_, [this] { bus_.forget(); });
  QObject::connect(&daemon_, &QDBusServiceWatcher::serviceRegistered, &context_, [this] { bus_.refresh(); });
  // The link manager keeps its central to the end of the process, past the application
  // object, and nothing may come from the bus then: it stops listening when the loop ends.
  if (QCoreApplication* application = QCoreApplication::instance())
    QObject::connect(application, &QCoreApplication::aboutToQuit, &context_, [this] { release(); });
  // The first state is reported once the daemon has said what it has (or that it is not there).
  bus_.refresh();
}

QtCentral::~QtCentral() { release(); }

void QtCentral::release() {
  if (std::exchange(released_, true)) return;
  QObject::disconnect(&daemon_, nullptr, &context_, nullptr);
  stopScan();
  bus_.close();
  state_ = CentralState::poweredOff;
  // The link manager may still hold its peripherals; they no longer report to us.
  for (auto& [id, peripheral] : peripherals_) peripheral->detach();
}

void QtCentral::post(std::function<void()> call, Millis delay) {
  QTimer::singleShot(delay, &context_, std::move(call));
}

void QtCentral::objectsReset() {
  // Emptied: the daemon went away (or never answered); read anew: it is back.
  chooseAdapter(bus_.objects().empty() ? kDaemonStopped : kPoweredOff);
  if (!std::exchange(firstReported_, true)) post([this] { delegate_.centralDidUpdateState(*this); });
}

void QtCentral::chooseAdapter(const char* whyLinksEnd) {
  QString first;
  for (const auto& [path, interfaces] : bus_.objects()) {
    if (interfaces.contains(kAdapterInterface)) {
      first = path;
      break;
    }
  }
  if (first != adapter_) {
    setState(CentralState::poweredOff, whyLinksEnd);
    adapter_ = first;
    discovering_ = false;
  }
  const bool powered =
      !adapter_.isEmpty() && bus_.property(adapter_, kAdapterInterface, QStringLiteral("Powered")).toBool();
  setState(powered ? CentralState::poweredOn : CentralState::poweredOff, whyLinksEnd);
}

void QtCentral::objectsAdded(const QString& path, const QStringList& interfaces) {
  if (interfaces.contains(kAdapterInterface)) chooseAdapter(kPoweredOff);
  if (interfaces.contains(kDeviceInterface)) deviceSeen(path, false);
}

void QtCentral::objectsRemoved(const QString& path, const QStringList& interfaces) {
  if (interfaces.contains(kAdapterInterface)) chooseAdapter("The Bluetooth adapter was removed");
  if (interfaces.contains(kDeviceInterface)) {
    for (auto& [id, peripheral] : peripherals_) peripheral->deviceRemoved(path);
  }
}

void QtCentral::propertiesChanged(const QString& path, const QString& interface, const QVariantMap& changed) {
  if (interface == kAdapterInterface) {
    if (path != adapter_) return;
    if (changed.contains(QStringLiteral("Powered"))) chooseAdapter(kPoweredOff);
    const auto discovering = changed.constFind(QStringLiteral("Discovering"));
    if (discovering != changed.constEnd() && !discovering->toBool()) discoveryStopped();
  } else if (interface == kDeviceInterface) {
    for (auto& [id, peripheral] : peripherals_) peripheral->deviceChanged(path, changed);
    // An advertisement heard again, as Qt Bluetooth tells it: a discovery and an update.
    if (changed.contains(QStringLiteral("RSSI")) || changed.contains(QStringLiteral("ManufacturerData"))) {
      deviceSeen(path, false);
      deviceSeen(path, true);
    }
  } else if (interface == kCharacteristicInterface) {
    for (auto& [id, peripheral] : peripherals_) peripheral->characteristicChanged(path, changed);
  }
}

void QtCentral::scanForPeripherals(bool allowDuplicates) {
  if (state_ != CentralState::poweredOn || adapter_.isEmpty()) return;
  reported_.clear();
  allowDuplicates_ = allowDuplicates;
  scanning_ = true;
  post([this, scan = ++scan_] { startDiscovery(scan); });
}

void QtCentral::stopScan() {
  scanning_ = false;
  ++scan_;
  if (std::exchange(discovering_, false)) {
    bus_.call(adapter_, kAdapterInterface, QStringLiteral("StopDiscovery"), {}, &context_);
  }
}

void QtCentral::startDiscovery(int scan) {
  if (!scanning_ || scan != scan_ || adapter_.isEmpty()) return;
  if (!discovering_) {
    discovering_ = true;
    // Older BlueZ lacks the filter: its refusal changes nothing.
    bus_.call(adapter_, kAdapterInterface, QStringLiteral("SetDiscoveryFilter"),
              {QVariantMap{{QStringLiteral("Transport"), QStringLiteral("le")}}}, &context_);
    bus_.call(adapter_, kAdapterInterface, QStringLiteral("StartDiscovery"), {}, &context_,
              [this, scan](const QDBusMessage& reply) {
                if (reply.type() != QDBusMessage::ErrorMessage ||
                    reply.errorName() == QStringLiteral("org.bluez.Error.InProgress") || scan != scan_)
                  return;
                discovering_ = false;
                post([this, scan] { startDiscovery(scan); }, options_.scanRetry);
              });
  }
  // What the daemon knows already, as Qt Bluetooth lists it when a scan starts.
  for (const auto& [path, interfaces] : bus_.objects()) {
    if (interfaces.contains(kDeviceInterface)) deviceSeen(path, false);
  }
}

void QtCentral::discoveryStopped() {
  // Ended by someone else: started again, as a scan has no time limit.
  if (!std::exchange(discovering_, false) || !scanning_) return;
  post([this, scan = scan_] { startDiscovery(scan); }, options_.scanRetry);
}

void QtCentral::deviceSeen(const QString& path, bool updated) {
  if (!scanning_) return;
  const QVariantMap* device = bus_.properties(path, kDeviceInterface);
  if (!device || objectPath(device->value(QStringLiteral("Adapter"))) != adapter_) return;
  const QString address = device->value(QStringLiteral("Address")).toString();
  if (address.isEmpty()) return;
  // Only LE devices: a classic one has a class of device and no GATT-based service.
  if (device->value(QStringLiteral("Class")).toUInt() != 0 &&
      !likelyLowEnergy(device->value(QStringLiteral("UUIDs")).toStringList()))
    return;
  // BlueZ lists every device it remembers when a scan starts, in range or not; only one
  // heard in this scan has a signal strength.
  const int rssi = device->value(QStringLiteral("RSSI")).toInt();
  if (rssi == 0) return;
  if (updated && !allowDuplicates_) return;
  const QString alias = device->value(QStringLiteral("Alias")).toString();
  const Uuid id = addressUuid(address);
  auto [entry, isNew] = peripherals_.try_emplace(id);
  if (isNew) entry->second = std::make_shared<QtPeripheral>(bus_, address, alias, static_cast<LinkObserver&>(*this), options_.link);
  else entry->second->setAlias(alias);

  const std::optional<std::string> name = deviceName(alias, address);
  if (!updated) {
    // Once per scan; again only when a name turns up or changes. An advertisement heard
    // again comes as a discovery and an update, which would report it twice.
    auto seen = reported_.find(id);
    if (seen != reported_.end() && seen->second == name) return;
    reported_[id] = name;
  }
  AdvertisementData advertisement;
  if (name) advertisement[kAdvertisementLocalName] = *name;
  post([this, peripheral = entry->second, advertisement, rssi] {
    if (scanning_) delegate_.didDiscoverPeripheral(*this, peripheral, advertisement, rssi);
  });
}

void QtCentral::setState(CentralState state, const char* whyLinksEnd) {
  if (state == state_) return;
  state_ = state;
  if (state_ == CentralState::poweredOff) {
    // Links and the scan end with the radio; power coming back restarts neither.
    stopScan();
    for (auto& [id, peripheral] : peripherals_) peripheral->drop(Error{whyLinksEnd});
  }
  if (firstReported_) post([this] { delegate_.centralDidUpdateState(*this); });
}

QtPeripheral* QtCentral::ours(Peripheral& peripheral) {
  auto it = peripherals_.find(peripheral.identifier());
  return it != peripherals_.end() && it->second.get() == &peripheral ? it->second.get() : nullptr;
}

void QtCentral::connectPeripheral(Peripheral& peripheral, bool) {
  // As with a scan: with the radio off the request is ignored, not failed a moment later.
  if (state_ != CentralState::poweredOn) return;
  if (QtPeripheral* p = ours(peripheral)) p->connect(adapter_);
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

// Once, at start-up, before anything is timed.
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
