#include "platform/qt/bluetooth/qt_gatt_service.h"

#include <algorithm>

#include <QTimer>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

const QByteArray kNotifyOn = QByteArray::fromHex("0100");
const QByteArray kNotifyOff = QByteArray::fromHex("0000");

QLowEnergyDescriptor notificationConfig(const QLowEnergyCharacteristic& remote) {
  return remote.descriptor(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration);
}

}  // namespace

QtGattService::QtGattService(QLowEnergyService* service, PeripheralReport report, WriteOutcomes outcomes)
    : remote_(service), report_(std::move(report)), outcomes_(std::move(outcomes)), model_(std::make_shared<Service>()) {
  model_->uuid = toBleUuid(remote_->serviceUuid());
  model_->isPrimary = remote_->type().testFlag(QLowEnergyService::PrimaryService);

  QObject::connect(remote_.get(), &QLowEnergyService::stateChanged, &context_,
                   [this](QLowEnergyService::ServiceState state) {
                     if (state == QLowEnergyService::RemoteServiceDiscovered) detailsDiscovered();
                   });
  QObject::connect(remote_.get(), &QLowEnergyService::characteristicChanged, &context_,
                   [this](const QLowEnergyCharacteristic& remote, const QByteArray& value) {
                     Entry* entry = find(remote);
                     if (!entry) return;
                     // Each call carries its own value: a later notification may arrive first.
                     report_([model = entry->model, bytes = toBytes(value)](PeripheralDelegate& d, Peripheral& p) {
                       model->value = bytes;
                       d.didUpdateValue(p, *model, {});
                     });
                   });
  QObject::connect(remote_.get(), &QLowEnergyService::characteristicWritten, &context_,
                   [this](const QLowEnergyCharacteristic& remote, const QByteArray&) {
                     Entry* entry = find(remote);
                     if (entry) writeAnswered(*entry, {});
                   });
  QObject::connect(remote_.get(), &QLowEnergyService::descriptorWritten, &context_,
                   [this](const QLowEnergyDescriptor& descriptor, const QByteArray& value) {
                     auto it = std::find_if(subscriptionsInFlight_.begin(), subscriptionsInFlight_.end(),
                                            [&](const Entry* pending) {
                                              return notificationConfig(pending->remote) == descriptor;
                                            });
                     if (it == subscriptionsInFlight_.end()) return;
                     Entry* entry = *it;
                     subscriptionsInFlight_.erase(it);
                     notificationStateAnswered(*entry, value != kNotifyOff, {});
                   });
  QObject::connect(remote_.get(), &QLowEnergyService::errorOccurred, &context_,
                   [this](QLowEnergyService::ServiceError error) { serviceError(error); });
}

QtGattService::~QtGattService() {
  QObject::disconnect(remote_.get(), nullptr, &context_, nullptr);
  // It may be inside one of its own signals right now.
  remote_.release()->deleteLater();
}

QtGattService::Entry* QtGattService::find(const Characteristic& characteristic) const {
  for (const auto& entry : entries_) {
    if (entry->model.get() == &characteristic) return entry.get();
  }
  return nullptr;
}

QtGattService::Entry* QtGattService::find(const QLowEnergyCharacteristic& remote) const {
  for (const auto& entry : entries_) {
    if (entry->remote == remote) return entry.get();
  }
  return nullptr;
}

void QtGattService::discoverCharacteristics() {
  ++characteristicRequests_;
  requestDetails();
}

void QtGattService::discoverIncludedServices() {
  ++includedRequests_;
  requestDetails();
}

void QtGattService::requestDetails() {
  switch (remote_->state()) {
    case QLowEnergyService::RemoteService:
      remote_->discoverDetails(QLowEnergyService::SkipValueDiscovery);
      break;
    case QLowEnergyService::RemoteServiceDiscovered:
      answerDetailRequests({});
      break;
    case QLowEnergyService::RemoteServiceDiscovering:
      break;  // answered when the details arrive
    default:
      answerDetailRequests(Error{"the service is no longer valid"});
      break;
  }
}

void QtGattService::detailsDiscovered() {
  if (entries_.empty()) {
    for (const QLowEnergyCharacteristic& remote : remote_->characteristics()) {
      auto model = std::make_shared<Characteristic>();
      model->uuid = toBleUuid(remote.uuid());
      model->properties = static_cast<std::uint32_t>(remote.properties().toInt()) & 0xFF;
      if (!remote.value().isEmpty()) model->value = toBytes(remote.value());
      model->service = model_.get();
      entries_.push_back(std::make_unique<Entry>(Entry{remote, std::move(model), {}}));
      model_->characteristics.push_back(entries_.back()->model);
    }
    for (const QBluetoothUuid& uuid : remote_->includedServices()) {
      auto included = std::make_shared<Service>();
      included->uuid = toBleUuid(uuid);
      included->isPrimary = false;
      model_->includedServices.push_back(std::move(included));
    }
  }
  answerDetailRequests({});
}

void QtGattService::answerDetailRequests(const Result<>& result) {
  for (; characteristicRequests_ > 0; --characteristicRequests_) {
    report_([service = model_, result](PeripheralDelegate& d, Peripheral& p) {
      d.didDiscoverCharacteristics(p, *service, result);
    });
  }
  for (; includedRequests_ > 0; --includedRequests_) {
    report_([service = model_, result](PeripheralDelegate& d, Peripheral& p) {
      d.didDiscoverIncludedServices(p, *service, result);
    });
  }
}

void QtGattService::setNotifyValue(bool enabled, Characteristic& characteristic) {
  Entry* entry = find(characteristic);
  if (!entry) return;
  const QLowEnergyDescriptor config = notificationConfig(entry->remote);
  if (!config.isValid()) {
    notificationStateAnswered(*entry, characteristic.isNotifying, Error{"the characteristic cannot notify"});
    return;
  }
  subscriptionsInFlight_.push_back(entry);
  remote_->writeDescriptor(config, enabled ? kNotifyOn : kNotifyOff);
}

void QtGattService::notificationStateAnswered(Entry& entry, bool enabled, const Result<>& result) {
  report_([model = entry.model, enabled, result](PeripheralDelegate& d, Peripheral& p) {
    if (result.ok()) model->isNotifying = enabled;
    d.didUpdateNotificationState(p, *model, result);
  });
}

void QtGattService::writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) {
  Entry* entry = find(characteristic);
  if (!entry) return;
  if (type == WriteType::withoutResponse) {
    outcomes_.accepted(value, type);
    remote_->writeCharacteristic(entry->remote, toQByteArray(value), QLowEnergyService::WriteWithoutResponse);
    return;
  }
  if (auto now = entry->writes.submit(value)) send(*entry, *now);
}

void QtGattService::send(Entry& entry, const Bytes& value) {
  const std::uint64_t write = ++writesSent_;
  writesInFlight_.push_back({&entry, write, value});
  remote_->writeCharacteristic(entry.remote, toQByteArray(value), QLowEnergyService::WriteWithResponse);
  QTimer::singleShot(kWriteConfirmationLimit, &context_, [this, write] { writeUnanswered(write); });
}

void QtGattService::writeAnswered(Entry& entry, const Result<>& result) {
  auto it = std::find_if(writesInFlight_.begin(), writesInFlight_.end(),
                         [&entry](const InFlight& each) { return each.entry == &entry; });
  if (it == writesInFlight_.end()) return;
  const Bytes value = std::move(it->value);
  writesInFlight_.erase(it);
  if (result.ok()) {
    outcomes_.accepted(value, WriteType::withResponse);
  } else {
    outcomes_.failed(value, result.error().message);
  }
  if (auto next = entry.writes.complete()) send(entry, *next);
  report_([model = entry.model, result](PeripheralDelegate& d, Peripheral& p) { d.didWriteValue(p, *model, result); });
}

void QtGattService::writeUnanswered(std::uint64_t write) {
  const auto it = std::find_if(writesInFlight_.begin(), writesInFlight_.end(),
                               [write](const InFlight& each) { return each.write == write; });
  if (it == writesInFlight_.end()) return;
  // The coalescer keeps the write counted as in flight: nothing more goes to Qt on this link.
  const std::shared_ptr<Characteristic> model = it->entry->model;
  const Error error{"the write was not answered in time"};
  outcomes_.failed(it->value, error.message);
  writesInFlight_.erase(it);
  report_([model, error](PeripheralDelegate& d, Peripheral& p) { d.didWriteValue(p, *model, error); });
  outcomes_.stalled();
}

void QtGattService::serviceError(QLowEnergyService::ServiceError error) {
  switch (error) {
    case QLowEnergyService::CharacteristicWriteError:
      // Taken as the oldest write with response: a failed write without response
      // then frees a slot early, which is harmless.
      if (!writesInFlight_.empty())
        writeAnswered(*writesInFlight_.front().entry, Error{"the receiver refused the write"});
      break;
    case QLowEnergyService::DescriptorWriteError:
      if (!subscriptionsInFlight_.empty()) {
        Entry* entry = subscriptionsInFlight_.front();
        subscriptionsInFlight_.pop_front();
        notificationStateAnswered(*entry, entry->model->isNotifying, Error{"the subscription failed"});
      }
      break;
    case QLowEnergyService::UnknownError:
    case QLowEnergyService::OperationError:
      if (remote_->state() != QLowEnergyService::RemoteServiceDiscovering) {
        answerDetailRequests(Error{"the service details could not be read"});
      }
      break;
    default:
      break;
  }
}

int QtGattService::pendingWrites() const {
  int pending = 0;
  for (const auto& entry : entries_) pending += entry->writes.pending();
  return pending;
}

}  // namespace kiro
