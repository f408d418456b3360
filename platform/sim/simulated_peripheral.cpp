#include "platform/sim/simulated_peripheral.h"

#include <algorithm>

#include "platform/sim/simulated_central.h"
#include "base/utf8.h"

namespace kiro {

namespace {
// CoreBluetooth's wording for the ATT errors the receiver answers with.
constexpr const char* kNotifyNotSupported = "The request is not supported.";
constexpr const char* kWriteNotPermitted = "Writing is not permitted.";
}  // namespace

SimulatedPeripheral::SimulatedPeripheral(SimulatedCentral& central, SimulatedReceiver& receiver)
    : central_(&central),
      receiver_(receiver),
      identifier_(receiver.identifier()),
      name_(receiver.name() ? std::optional(validUtf8(*receiver.name())) : std::nullopt) {}

template <typename Answer>
void SimulatedPeripheral::answerLater(Millis delay, Answer answer) {
  std::weak_ptr<SimulatedPeripheral> weak = weak_from_this();
  const std::uint64_t epoch = epoch_;
  central_->radio()->runLoop().performAfterDelay(delay, [weak, epoch, answer = std::move(answer)]() {
    auto self = weak.lock();
    if (!self || self->central_ == nullptr || self->epoch_ != epoch) return;
    answer(*self);
  });
}

void SimulatedPeripheral::discoverServices() {
  if (!connected()) return;
  answerLater(sim_latency::discovery, [](SimulatedPeripheral& self) {
    self.services_ = self.primary_;
    if (self.delegate_ != nullptr) self.delegate_->didDiscoverServices(self, {});
  });
}

void SimulatedPeripheral::discoverCharacteristics(Service& service) {
  const ServiceEntry* entry = connected() ? entryFor(service) : nullptr;
  if (entry == nullptr) return;
  answerLater(sim_latency::discovery, [service = entry->service, list = entry->characteristics](
                                          SimulatedPeripheral& self) {
    service->characteristics = list;
    if (self.delegate_ != nullptr) self.delegate_->didDiscoverCharacteristics(self, *service, {});
  });
}

void SimulatedPeripheral::discoverIncludedServices(Service& service) {
  const ServiceEntry* entry = connected() ? entryFor(service) : nullptr;
  if (entry == nullptr) return;
  answerLater(sim_latency::discovery,
              [service = entry->service, list = entry->included](SimulatedPeripheral& self) {
                service->includedServices = list;
                if (self.delegate_ != nullptr) {
                  self.delegate_->didDiscoverIncludedServices(self, *service, {});
                }
              });
}

void SimulatedPeripheral::setNotifyValue(bool enabled, Characteristic& characteristic) {
  auto target = connected() ? characteristicFor(characteristic) : nullptr;
  if (!target) return;
  answerLater(sim_latency::notificationState, [target, enabled](SimulatedPeripheral& self) {
    Result<> result;
    if ((target->properties & (property::notify | property::indicate)) != 0) {
      target->isNotifying = enabled;
    } else {
      result = Error{kNotifyNotSupported};
    }
    if (self.delegate_ != nullptr) self.delegate_->didUpdateNotificationState(self, *target, result);
  });
}

void SimulatedPeripheral::writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) {
  auto target = connected() ? characteristicFor(characteristic) : nullptr;
  if (!target) return;
  const std::uint32_t needed =
      type == WriteType::withResponse ? property::write : property::writeWithoutResponse;
  const bool allowed = (target->properties & needed) != 0;
  // The confirmation is due first: feedback the write causes arrives with it, after it.
  if (type == WriteType::withResponse) {
    const Result<> result = allowed ? Result<>() : Error{kWriteNotPermitted};
    answerLater(sim_latency::writeConfirmation, [target, result](SimulatedPeripheral& self) {
      if (self.delegate_ != nullptr) self.delegate_->didWriteValue(self, *target, result);
    });
  }
  if (allowed) receiver_.received({value, type, target->uuid, central_->radio()->runLoop().now()});
}

void SimulatedPeripheral::deliverNotification(const Bytes& bytes) {
  if (!connected()) return;
  auto keep = shared_from_this();  // a callback may drop the last other owner
  const std::uint64_t epoch = epoch_;
  // By index, without a copy of the list: only a new state changes it, and then the loop ends.
  for (std::size_t i = 0; i < characteristics_.size(); ++i) {
    // A callback may have ended the connection.
    if (central_ == nullptr || epoch_ != epoch) return;
    const auto characteristic = characteristics_[i];  // kept while its callback runs
    if (!characteristic->isNotifying) continue;
    characteristic->value = bytes;
    if (delegate_ != nullptr) delegate_->didUpdateValue(*this, *characteristic, {});
  }
}

void SimulatedPeripheral::enterState(PeripheralState state) {
  state_ = state;
  ++epoch_;
  if (state == PeripheralState::connected) {
    for (const auto& layout : receiver_.options().gatt) primary_.push_back(addService(layout, true));
  } else if (state == PeripheralState::disconnected) {
    services_.clear();
    primary_.clear();
    entries_.clear();
    characteristics_.clear();
  }
}

void SimulatedPeripheral::detach() {
  enterState(PeripheralState::disconnected);
  central_ = nullptr;
  delegate_ = nullptr;
}

std::shared_ptr<Service> SimulatedPeripheral::addService(const SimService& layout, bool isPrimary) {
  auto service = std::make_shared<Service>();
  service->uuid = layout.uuid;
  service->isPrimary = isPrimary;
  ServiceEntry entry{service, {}, {}};
  for (const auto& characteristicLayout : layout.characteristics) {
    auto characteristic = std::make_shared<Characteristic>();
    characteristic->uuid = characteristicLayout.uuid;
    characteristic->properties = characteristicLayout.properties;
    characteristic->service = service.get();
    entry.characteristics.push_back(characteristic);
    characteristics_.push_back(characteristic);
  }
  for (const auto& includedLayout : layout.includedServices) entry.included.push_back(addService(includedLayout, false));
  entries_.push_back(std::move(entry));
  return service;
}

const SimulatedPeripheral::ServiceEntry* SimulatedPeripheral::entryFor(const Service& service) const {
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [&](const ServiceEntry& entry) { return entry.service.get() == &service; });
  return found == entries_.end() ? nullptr : &*found;
}

std::shared_ptr<Characteristic> SimulatedPeripheral::characteristicFor(const Characteristic& characteristic) const {
  auto found = std::find_if(characteristics_.begin(), characteristics_.end(),
                            [&](const auto& candidate) { return candidate.get() == &characteristic; });
  return found == characteristics_.end() ? nullptr : *found;
}

}  // namespace kiro
