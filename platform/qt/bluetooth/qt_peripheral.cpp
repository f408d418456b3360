#include "platform/qt/bluetooth/qt_peripheral.h"

#include <algorithm>

#include <QDBusObjectPath>

#include "platform/qt/bluetooth/address_uuid.h"
#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

QString objectPath(const QVariant& value) { return value.value<QDBusObjectPath>().path(); }

}  // namespace

QtPeripheral::QtPeripheral(BluezBus& bus, const QString& address, const QString& alias, LinkObserver& observer,
                           LinkTiming timing)
    : bus_(&bus), address_(address), alias_(alias), identifier_(addressUuid(address)), observer_(&observer),
      timing_(timing) {
  attemptTimer_.setSingleShot(true);
  QObject::connect(&attemptTimer_, &QTimer::timeout, &context_, [this] {
    linkDown(phase_ == Phase::connecting ? Error{"the connection attempt timed out"} : Result<>());
  });
}

QtPeripheral::~QtPeripheral() { detach(); }

std::optional<std::string> QtPeripheral::name() const { return deviceName(alias_, address_); }

void QtPeripheral::connect(const QString& adapter) {
  if (!bus_ || phase_ != Phase::idle || state_ != PeripheralState::disconnected) return;
  phase_ = Phase::connecting;
  setState(PeripheralState::connecting);
  adapter_ = adapter;
  attemptClock_.start();
  attemptTimer_.start(static_cast<int>(timing_.attemptLimit.count()));
  // Started on the next turn, as every outcome is reported on one of its own.
  QTimer::singleShot(0, &context_, [this, attempt = ++attempt_] { startConnect(attempt); });
}

void QtPeripheral::startConnect(int attempt) {
  if (!bus_ || attempt != attempt_ || phase_ != Phase::connecting) return;
  // The daemon takes requests in order: a connect sent before the last link's disconnect is
  // answered would find that link still up, and lose it a moment later.
  if (disconnecting_) {
    connectWhenDisconnected_ = true;
    return;
  }
  device_.clear();
  for (const auto& [path, interfaces] : bus_->objects()) {
    const auto device = interfaces.constFind(kDeviceInterface);
    if (device == interfaces.constEnd()) continue;
    if (device->value(QStringLiteral("Address")).toString().compare(address_, Qt::CaseInsensitive) == 0 &&
        objectPath(device->value(QStringLiteral("Adapter"))) == adapter_) {
      device_ = path;
      break;
    }
  }
  if (device_.isEmpty()) return linkDown(Error{"the Bluetooth service does not know the receiver"});
  if (!bus_->property(adapter_, kAdapterInterface, QStringLiteral("Powered")).toBool())
    return linkDown(Error{"the Bluetooth adapter is powered off"});
  linked_ = true;
  // Another program may have connected it already.
  if (bus_->property(device_, kDeviceInterface, QStringLiteral("Connected")).toBool() &&
      bus_->property(device_, kDeviceInterface, QStringLiteral("ServicesResolved")).toBool()) {
    return linkUp();
  }
  awaitingServices_ = true;
  // Connected once the daemon says the services are resolved (deviceChanged).
  bus_->call(device_, kDeviceInterface, QStringLiteral("Connect"), {}, &context_,
             [this, attempt](const QDBusMessage& reply) {
               if (attempt != attempt_ || phase_ != Phase::connecting || reply.type() != QDBusMessage::ErrorMessage)
                 return;
               linked_ = false;
               linkDown(Error{"the connection failed: " + reply.errorMessage().toStdString()});
             });
}

void QtPeripheral::linkUp() {
  awaitingServices_ = false;
  phase_ = Phase::connected;
  setState(PeripheralState::connected);
  attemptTimer_.stop();
  tellObserver(attempt_, Millis{0}, [this](LinkObserver& o) { o.linkConnected(*this); });
}

void QtPeripheral::deviceChanged(const QString& path, const QVariantMap& changed) {
  if (path != device_ || !linked_) return;
  const auto resolved = changed.constFind(QStringLiteral("ServicesResolved"));
  if (resolved != changed.constEnd() && resolved->toBool() && awaitingServices_ && phase_ == Phase::connecting) {
    linkUp();
  }
  const auto connected = changed.constFind(QStringLiteral("Connected"));
  if (connected != changed.constEnd() && !connected->toBool()) {
    linked_ = false;
    linkDown({});
  }
}

void QtPeripheral::deviceRemoved(const QString& path) {
  if (path != device_ || phase_ == Phase::idle) return;
  linked_ = false;
  linkDown(Error{"the receiver was removed from the Bluetooth service"});
}

void QtPeripheral::characteristicChanged(const QString& path, const QVariantMap& changed) {
  for (const auto& g : gatt_) {
    if (path.startsWith(g->path() + QLatin1Char('/'))) g->characteristicChanged(path, changed);
  }
}

void QtPeripheral::cancel() {
  switch (phase_) {
    case Phase::closing:
      return;
    case Phase::idle:
      // A failure may be waiting for its report; the cancel replaces it.
      if (state_ == PeripheralState::disconnected) return;
      ++attempt_;
      setState(PeripheralState::disconnected);
      tellObserver(attempt_, Millis{0}, [this](LinkObserver& o) { o.linkEnded(*this, {}); });
      return;
    case Phase::connecting:
    case Phase::connected:
      phase_ = Phase::closing;
      setState(PeripheralState::disconnecting);
      attemptTimer_.start(static_cast<int>(timing_.attemptLimit.count()));
      if (linked_) {
        // Ended by the daemon's answer, or by its news that the device is no longer connected.
        if (!disconnecting_) disconnect();
      } else {
        linkDown({});
      }
      return;
  }
}

void QtPeripheral::disconnect() {
  if (!bus_) return;
  disconnecting_ = true;
  bus_->call(device_, kDeviceInterface, QStringLiteral("Disconnect"), {}, &context_,
             [this, attempt = attempt_](const QDBusMessage&) {
               disconnecting_ = false;
               if (attempt == attempt_ && phase_ == Phase::closing) {
                 linked_ = false;
                 linkDown({});
               }
               if (std::exchange(connectWhenDisconnected_, false)) startConnect(attempt_);
             });
}

void QtPeripheral::drop(const Error& reason) {
  if (phase_ != Phase::idle) {
    linked_ = false;
    linkDown(reason);
  }
}

void QtPeripheral::linkDown(const Result<>& result) {
  if (phase_ == Phase::idle) return;
  const Phase ended = phase_;
  phase_ = Phase::idle;
  attemptTimer_.stop();
  releaseLink();
  gatt_.clear();
  services_.clear();
  if (ended == Phase::connecting) {
    // The entry keeps showing "connecting" until the failure is reported.
    const Millis elapsed{attemptClock_.elapsed()};
    const Millis wait = std::max(Millis{0}, timing_.failureFloor - elapsed);
    const Result<> reason = result.ok() ? Error{"the connection failed"} : result;
    tellObserver(attempt_, wait, [this, reason](LinkObserver& o) {
      setState(PeripheralState::disconnected);
      o.linkFailed(*this, reason);
    });
    return;
  }
  setState(PeripheralState::disconnected);
  // Only a cancel ends a link without an error; the receiver ending it is reported as none.
  const Result<> reason = ended == Phase::connected && result.ok() ? Error{"the link was lost"} : result;
  tellObserver(attempt_, Millis{0}, [this, reason](LinkObserver& o) { o.linkEnded(*this, reason); });
}

void QtPeripheral::releaseLink() {
  // A link the daemon still holds (a write left unanswered, a connect given up) is ended
  // there too; the answer is not waited for.
  if (linked_ && !disconnecting_) disconnect();
  linked_ = false;
  awaitingServices_ = false;
}

void QtPeripheral::writeStalled() {
  // On the next turn: the service that tells it is inside one of its own timers.
  QTimer::singleShot(0, &context_, [this, attempt = attempt_] {
    if (attempt == attempt_ && phase_ == Phase::connected) linkDown(Error{"a write was not answered in time"});
  });
}

void QtPeripheral::detach() {
  observer_ = nullptr;
  attemptTimer_.stop();
  releaseLink();
  bus_ = nullptr;
  gatt_.clear();
  services_.clear();
  phase_ = Phase::idle;
  setState(PeripheralState::disconnected);
}

void QtPeripheral::tellObserver(int attempt, Millis delay, std::function<void(LinkObserver&)> call) {
  QTimer::singleShot(delay, &context_, [this, attempt, call = std::move(call)] {
    if (attempt == attempt_ && observer_) call(*observer_);
  });
}

void QtPeripheral::report(PeripheralCall call) {
  QTimer::singleShot(0, &context_, [this, call = std::move(call)] {
    if (delegate_) call(*delegate_, *this);
  });
}

void QtPeripheral::discoverServices() {
  if (phase_ != Phase::connected || !bus_) {
    report([](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverServices(p, Error{"not connected"}); });
    return;
  }
  // BlueZ published the whole table before it said the services were resolved.
  for (const auto& [path, interfaces] : bus_->objects()) {
    const auto service = interfaces.constFind(kServiceInterface);
    if (service == interfaces.constEnd() || objectPath(service->value(QStringLiteral("Device"))) != device_) continue;
    const bool known = std::any_of(gatt_.begin(), gatt_.end(), [&](const auto& g) { return g->path() == path; });
    if (known) continue;
    WriteOutcomes outcomes{[this](const Bytes& value, WriteType type) {
                             if (observer_) observer_->writeAccepted(*this, value, type);
                           },
                           [this](const Bytes& value, const std::string& reason) {
                             if (observer_) observer_->writeFailed(*this, value, reason);
                           },
                           [this] { writeStalled(); }};
    gatt_.push_back(std::make_unique<QtGattService>(
        *bus_, path, [this](PeripheralCall call) { report(std::move(call)); }, std::move(outcomes)));
    services_.push_back(gatt_.back()->service());
  }
  report([](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverServices(p, {}); });
}

QtGattService* QtPeripheral::gattFor(const Service& service) {
  for (const auto& g : gatt_) {
    if (g->service().get() == &service) return g.get();
  }
  return nullptr;
}

QtGattService* QtPeripheral::gattFor(const Characteristic& characteristic) {
  for (const auto& g : gatt_) {
    if (g->lists(characteristic)) return g.get();
  }
  return nullptr;
}

// Requests about services or characteristics of an earlier connection are dropped: the
// objects passed may already be gone, so they are only compared, never kept.
void QtPeripheral::discoverCharacteristics(Service& service) {
  if (QtGattService* g = gattFor(service)) g->discoverCharacteristics();
}

void QtPeripheral::discoverIncludedServices(Service& service) {
  if (QtGattService* g = gattFor(service)) g->discoverIncludedServices();
}

void QtPeripheral::setNotifyValue(bool enabled, Characteristic& characteristic) {
  if (QtGattService* g = gattFor(characteristic)) g->setNotifyValue(enabled, characteristic);
}

void QtPeripheral::writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) {
  if (QtGattService* g = gattFor(characteristic)) g->writeValue(value, characteristic, type);
}

int QtPeripheral::pendingWrites() const {
  int pending = 0;
  for (const auto& g : gatt_) pending += g->pendingWrites();
  return pending;
}

void QtPeripheral::setState(PeripheralState state) {
  if (state_ == state) return;
  state_ = state;
  if (observer_) observer_->stateChanged(*this);
}

}  // namespace kiro
