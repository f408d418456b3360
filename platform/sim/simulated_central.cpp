#include "platform/sim/simulated_central.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/sim/simulated_peripheral.h"
#include "base/utf8.h"

namespace kiro {

namespace {
constexpr const char* kConnectFailed = "Failed to connect to the peripheral.";
constexpr const char* kConnectTimedOut = "The connection has timed out.";
constexpr const char* kPoweredOff = "Bluetooth is powered off.";
}  // namespace

SimulatedCentral::SimulatedCentral(SimulatedRadio& radio, CentralDelegate& delegate)
    : radio_(&radio),
      delegate_(delegate),
      state_(radio.powered() ? CentralState::poweredOn : CentralState::poweredOff) {
  radio.attach(*this);
  // CoreBluetooth reports the first state shortly after creation, never from within it.
  later(Millis{0}, [this] { delegate_.centralDidUpdateState(*this); });
}

SimulatedCentral::~SimulatedCentral() {
  lifetime_.end();
  if (radio_ != nullptr) radio_->detach(*this);
  for (auto& [identifier, peripheral] : peripherals_) {
    // The links end with the central, without callbacks: nobody is left to hear them.
    if (radio_ != nullptr && peripheral->state_ != PeripheralState::disconnected) {
      setPeripheralState(*peripheral, PeripheralState::disconnected);
    }
    peripheral->detach();
  }
}

template <typename Action>
void SimulatedCentral::later(Millis delay, Action action) {
  radio_->runLoop().performAfterDelay(delay, lifetime_.guard([this, action = std::move(action)]() mutable {
    if (radio_ != nullptr) action();
  }));
}

void SimulatedCentral::scanForPeripherals(bool allowDuplicates) {
  if (radio_ == nullptr) return;
  ++radio_->scanRequests_;
  if (state_ != CentralState::poweredOn) return;
  scanning_ = true;
  allowDuplicates_ = allowDuplicates;
  ++scanEpoch_;
  reportedThisScan_.clear();
  for (const auto& receiver : radio_->receivers()) {
    if (receiver->advertising()) scheduleAdvertisement(*receiver, sim_latency::advertisement);
  }
}

void SimulatedCentral::stopScan() {
  scanning_ = false;
  ++scanEpoch_;
}

void SimulatedCentral::scheduleAdvertisement(SimulatedReceiver& receiver, Millis delay) {
  const std::uint64_t scan = scanEpoch_;
  const std::uint64_t advertising = receiver.advertisingEpoch_;
  SimulatedReceiver* target = &receiver;
  later(delay, [this, target, scan, advertising] {
    // The scan or the receiver's advertising must be the one this report belongs to.
    if (!scanning_ || scanEpoch_ != scan || target->advertisingEpoch_ != advertising || !target->advertising()) {
      return;
    }
    if (!allowDuplicates_ && !reportedThisScan_.insert(target->identifier()).second) return;
    auto peripheral = peripheralOf(*target);
    AdvertisementData advertisement;
    if (target->options().advertisedName) advertisement[kAdvertisementLocalName] = validUtf8(*target->options().advertisedName);
    // Scheduled before the callback, which may destroy this central.
    if (allowDuplicates_) scheduleAdvertisement(*target, sim_latency::advertisingInterval);
    delegate_.didDiscoverPeripheral(*this, peripheral, advertisement, target->options().rssi);
  });
}

void SimulatedCentral::connectPeripheral(Peripheral& peripheral, bool) {
  if (radio_ == nullptr) return;
  auto target = own(peripheral);
  if (target) ++target->receiver_.connectRequests_;
  if (state_ != CentralState::poweredOn || !target || target->state_ != PeripheralState::disconnected) return;
  target->pendingResponse_ = target->receiver_.takeNextConnectionResponse();
  target->waitingForReceiver_ = false;
  setPeripheralState(*target, PeripheralState::connecting);
  if (target->state_ != PeripheralState::connecting) return;  // a watcher moved it on meanwhile
  // Like a real adapter, the central gives up on an attempt that has not completed.
  std::weak_ptr<SimulatedPeripheral> weak = target;
  later(sim_latency::connectionAttemptLimit, [this, weak, epoch = target->epoch_] {
    auto stalled = weak.lock();
    if (!stalled || stalled->epoch_ != epoch) return;
    setPeripheralState(*stalled, PeripheralState::disconnected);
    delegate_.didFailToConnectPeripheral(*this, *stalled, Error{kConnectTimedOut});
  });
  if (target->pendingResponse_ != SimConnectionResponse::neverComplete) scheduleConnection(target);
}

void SimulatedCentral::scheduleConnection(const std::shared_ptr<SimulatedPeripheral>& peripheral) {
  std::weak_ptr<SimulatedPeripheral> weak = peripheral;
  const std::uint64_t epoch = peripheral->epoch_;
  later(sim_latency::connection, [this, weak, epoch] {
    auto target = weak.lock();
    if (!target || target->epoch_ != epoch || target->state_ != PeripheralState::connecting) return;
    // Like a real connect request, it waits for the receiver to be heard again.
    if (!target->receiver_.advertising()) {
      target->waitingForReceiver_ = true;
      return;
    }
    if (target->pendingResponse_ == SimConnectionResponse::fail) {
      setPeripheralState(*target, PeripheralState::disconnected);
      delegate_.didFailToConnectPeripheral(*this, *target, Error{kConnectFailed});
      return;
    }
    setPeripheralState(*target, PeripheralState::connected);
    delegate_.didConnectPeripheral(*this, *target);
  });
}

void SimulatedCentral::cancelPeripheralConnection(Peripheral& peripheral) {
  if (radio_ == nullptr) return;
  auto target = own(peripheral);
  if (target) ++target->receiver_.cancelRequests_;
  if (!target || (target->state_ != PeripheralState::connecting && target->state_ != PeripheralState::connected)) {
    return;
  }
  setPeripheralState(*target, PeripheralState::disconnecting);
  if (target->state_ != PeripheralState::disconnecting) return;  // a watcher moved it on meanwhile
  std::weak_ptr<SimulatedPeripheral> weak = target;
  const std::uint64_t epoch = target->epoch_;
  later(sim_latency::disconnection, [this, weak, epoch] {
    auto disconnected = weak.lock();
    if (!disconnected || disconnected->epoch_ != epoch) return;
    setPeripheralState(*disconnected, PeripheralState::disconnected);
    delegate_.didDisconnectPeripheral(*this, *disconnected, {});
  });
}

void SimulatedCentral::powerChanged(bool on) {
  if (on) {
    state_ = CentralState::poweredOn;
    delegate_.centralDidUpdateState(*this);
    return;
  }
  state_ = CentralState::poweredOff;
  stopScan();
  // As a real adapter reports them: the links lost, then the attempts failed, then the
  // radio's state. Every link is down before anyone hears of it.
  std::vector<std::pair<std::shared_ptr<SimulatedPeripheral>, bool>> dropped;  // with whether it was connecting
  for (auto& [identifier, peripheral] : peripherals_) {
    if (peripheral->state_ != PeripheralState::disconnected) {
      dropped.emplace_back(peripheral, peripheral->state_ == PeripheralState::connecting);
    }
  }
  std::stable_partition(dropped.begin(), dropped.end(), [](const auto& each) { return !each.second; });
  for (auto& [peripheral, connecting] : dropped) setPeripheralState(*peripheral, PeripheralState::disconnected);
  const auto alive = lifetime_.watch();
  for (auto& [peripheral, connecting] : dropped) {
    if (connecting) {
      delegate_.didFailToConnectPeripheral(*this, *peripheral, Error{kPoweredOff});
    } else {
      delegate_.didDisconnectPeripheral(*this, *peripheral, Error{kPoweredOff});
    }
    if (alive.expired()) return;
  }
  delegate_.centralDidUpdateState(*this);
}

void SimulatedCentral::receiverStartedAdvertising(SimulatedReceiver& receiver) {
  if (scanning_) scheduleAdvertisement(receiver, sim_latency::advertisement);
  auto found = peripherals_.find(receiver.identifier());
  if (found == peripherals_.end()) return;
  auto& peripheral = found->second;
  if (peripheral->state_ == PeripheralState::connecting && peripheral->waitingForReceiver_) {
    peripheral->waitingForReceiver_ = false;
    scheduleConnection(peripheral);
  }
}

void SimulatedCentral::dropLink(const std::shared_ptr<SimulatedPeripheral>& peripheral, const Error& error) {
  if (peripheral->state_ == PeripheralState::disconnected) return;
  setPeripheralState(*peripheral, PeripheralState::disconnected);
  delegate_.didDisconnectPeripheral(*this, *peripheral, error);
}

SimulatedPeripheral* SimulatedCentral::peripheralFor(const Uuid& identifier) const {
  auto found = peripherals_.find(identifier);
  return found == peripherals_.end() ? nullptr : found->second.get();
}

void SimulatedCentral::radioGone() {
  radio_ = nullptr;
  state_ = CentralState::poweredOff;
  scanning_ = false;
  for (auto& [identifier, peripheral] : peripherals_) peripheral->detach();
}

std::shared_ptr<SimulatedPeripheral> SimulatedCentral::own(const Peripheral& peripheral) const {
  auto found = peripherals_.find(peripheral.identifier());
  if (found == peripherals_.end() || found->second.get() != &peripheral) return nullptr;
  return found->second;
}

std::shared_ptr<SimulatedPeripheral> SimulatedCentral::peripheralOf(SimulatedReceiver& receiver) {
  auto& peripheral = peripherals_[receiver.identifier()];
  if (!peripheral) peripheral = std::make_shared<SimulatedPeripheral>(*this, receiver);
  return peripheral;
}

void SimulatedCentral::setPeripheralState(SimulatedPeripheral& peripheral, PeripheralState state) {
  peripheral.enterState(state);
  SimulatedReceiver& receiver = peripheral.receiver_;
  if (state == PeripheralState::connected) {
    receiver.link_ = peripheral.weak_from_this();
  } else if (state == PeripheralState::disconnected && receiver.link_.lock().get() == &peripheral) {
    receiver.link_.reset();
  }
  radio_->receiverChanged(receiver);
}

}  // namespace kiro
