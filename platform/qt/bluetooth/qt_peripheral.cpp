#include "platform/qt/bluetooth/qt_peripheral.h"

#include <algorithm>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

QtPeripheral::QtPeripheral(const QBluetoothDeviceInfo& info, LinkObserver& observer, LinkTiming timing)
    : info_(info), identifier_(deviceIdentifier(info)), observer_(&observer), timing_(timing) {
  attemptTimer_.setSingleShot(true);
  QObject::connect(&attemptTimer_, &QTimer::timeout, &context_, [this] {
    linkDown(phase_ == Phase::connecting ? Error{"the connection attempt timed out"} : Result<>());
  });
}

QtPeripheral::~QtPeripheral() { detach(); }

std::optional<std::string> QtPeripheral::name() const { return deviceName(info_); }

void QtPeripheral::connect() {
  if (phase_ != Phase::idle || state_ != PeripheralState::disconnected) return;
  phase_ = Phase::connecting;
  setState(PeripheralState::connecting);
  lastReport_ = {};
  attemptClock_.start();
  attemptTimer_.start(static_cast<int>(timing_.attemptLimit.count()));
  // Started on the next turn: Qt may report an error from inside connectToDevice.
  QTimer::singleShot(0, &context_, [this, attempt = ++attempt_] { startController(attempt); });
}

void QtPeripheral::startController(int attempt) {
  if (attempt != attempt_ || phase_ != Phase::connecting) return;
  controller_ = QLowEnergyController::createCentral(info_);
  QObject::connect(controller_, &QLowEnergyController::connected, &context_, [this] {
    if (phase_ != Phase::connecting) return;
    phase_ = Phase::connected;
    setState(PeripheralState::connected);
    attemptTimer_.stop();
    tellObserver(attempt_, Millis{0}, [this](LinkObserver& o) { o.linkConnected(*this); });
  });
  QObject::connect(controller_, &QLowEnergyController::stateChanged, &context_,
                   [this](QLowEnergyController::ControllerState state) { controllerStateChanged(state); });
  QObject::connect(controller_, &QLowEnergyController::errorOccurred, &context_,
                   [this](QLowEnergyController::Error) {
                     lastReport_ = Error{controller_->errorString().toStdString()};
                     // Some errors leave the controller unconnected without a state change.
                     if (controller_->state() == QLowEnergyController::UnconnectedState) linkDown(lastReport_);
                   });
  QObject::connect(controller_, &QLowEnergyController::discoveryFinished, &context_,
                   [this] { servicesDiscovered(); });
  controller_->connectToDevice();
}

void QtPeripheral::controllerStateChanged(QLowEnergyController::ControllerState state) {
  if (state == QLowEnergyController::UnconnectedState) {
    linkDown(lastReport_);
  } else if (state == QLowEnergyController::ClosingState && phase_ == Phase::connected) {
    setState(PeripheralState::disconnecting);
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
      if (controller_ && controller_->state() != QLowEnergyController::UnconnectedState) {
        controller_->disconnectFromDevice();
      } else {
        linkDown({});
      }
      return;
  }
}

void QtPeripheral::drop(const Error& reason) {
  if (phase_ != Phase::idle) linkDown(reason);
}

void QtPeripheral::linkDown(const Result<>& result) {
  if (phase_ == Phase::idle) return;
  const Phase ended = phase_;
  phase_ = Phase::idle;
  attemptTimer_.stop();
  releaseController();
  gatt_.clear();
  services_.clear();
  serviceRequests_ = 0;
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
  // Only a cancel ends a link without an error; Qt reports the receiver ending it as none.
  const Result<> reason = ended == Phase::connected && result.ok() ? Error{"the link was lost"} : result;
  tellObserver(attempt_, Millis{0}, [this, reason](LinkObserver& o) { o.linkEnded(*this, reason); });
}

void QtPeripheral::writeStalled() {
  // On the next turn: the service that tells it is inside one of its own timers.
  QTimer::singleShot(0, &context_, [this, attempt = attempt_] {
    if (attempt == attempt_ && phase_ == Phase::connected) linkDown(Error{"a write was not answered in time"});
  });
}

void QtPeripheral::releaseController() {
  if (!controller_) return;
  QObject::disconnect(controller_, nullptr, &context_, nullptr);
  if (controller_->state() != QLowEnergyController::UnconnectedState) controller_->disconnectFromDevice();
  // It may be inside one of its own signals right now.
  controller_->deleteLater();
  controller_ = nullptr;
}

void QtPeripheral::detach() {
  observer_ = nullptr;
  attemptTimer_.stop();
  releaseController();
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
  if (phase_ != Phase::connected || !controller_) {
    report([](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverServices(p, Error{"not connected"}); });
    return;
  }
  ++serviceRequests_;
  switch (controller_->state()) {
    case QLowEnergyController::ConnectedState:
      controller_->discoverServices();
      break;
    case QLowEnergyController::DiscoveredState:
      servicesDiscovered();
      break;
    default:
      break;  // answered when the discovery finishes
  }
}

void QtPeripheral::servicesDiscovered() {
  for (const QBluetoothUuid& uuid : controller_->services()) {
    const BleUuid id = toBleUuid(uuid);
    const bool known = std::any_of(gatt_.begin(), gatt_.end(), [&](const auto& g) { return g->service()->uuid == id; });
    if (known) continue;
    QLowEnergyService* remote = controller_->createServiceObject(uuid);
    if (!remote) continue;
    WriteOutcomes outcomes{[this](const Bytes& value, WriteType type) {
                             if (observer_) observer_->writeAccepted(*this, value, type);
                           },
                           [this](const Bytes& value, const std::string& reason) {
                             if (observer_) observer_->writeFailed(*this, value, reason);
                           },
                           [this] { writeStalled(); }};
    gatt_.push_back(std::make_unique<QtGattService>(
        remote, [this](PeripheralCall call) { report(std::move(call)); }, std::move(outcomes)));
    services_.push_back(gatt_.back()->service());
  }
  for (; serviceRequests_ > 0; --serviceRequests_) {
    report([](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverServices(p, {}); });
  }
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
