#include "platform/qt/bluetooth/qt_gatt_service.h"

#include <algorithm>

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QTimer>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

const QString kClientConfiguration = QStringLiteral("00002902-0000-1000-8000-00805f9b34fb");

// BlueZ's characteristic flags as Bluetooth's property bits.
std::uint32_t propertiesOf(const QStringList& flags) {
  static const std::pair<const char*, std::uint32_t> bits[] = {
      {"broadcast", 0x01},
      {"read", property::read},
      {"write-without-response", property::writeWithoutResponse},
      {"write", property::write},
      {"notify", property::notify},
      {"indicate", property::indicate},
      {"authenticated-signed-writes", 0x40},
      {"reliable-write", 0x80},
      {"writable-auxiliaries", 0x80},
  };
  std::uint32_t properties = 0;
  for (const QString& flag : flags) {
    for (const auto& [name, bit] : bits) {
      if (flag == QLatin1String(name)) properties |= bit;
    }
  }
  return properties;
}

QString objectPath(const QVariant& value) { return value.value<QDBusObjectPath>().path(); }

}  // namespace

QtGattService::QtGattService(BluezBus& bus, const QString& path, PeripheralReport report, WriteOutcomes outcomes)
    : bus_(bus), path_(path), report_(std::move(report)), outcomes_(std::move(outcomes)),
      model_(std::make_shared<Service>()) {
  model_->uuid = bleUuid(bus_.property(path_, kServiceInterface, QStringLiteral("UUID")).toString());
  model_->isPrimary = bus_.property(path_, kServiceInterface, QStringLiteral("Primary")).toBool();
}

QtGattService::~QtGattService() = default;

QtGattService::Entry* QtGattService::find(const Characteristic& characteristic) const {
  for (const auto& entry : entries_) {
    if (entry->model.get() == &characteristic) return entry.get();
  }
  return nullptr;
}

void QtGattService::discoverCharacteristics() {
  readDetails();
  report_([service = model_](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverCharacteristics(p, *service, {}); });
}

void QtGattService::discoverIncludedServices() {
  readDetails();
  report_([service = model_](PeripheralDelegate& d, Peripheral& p) { d.didDiscoverIncludedServices(p, *service, {}); });
}

// From the bus's copy: BlueZ published the whole table before it said the services were resolved.
void QtGattService::readDetails() {
  if (std::exchange(detailsRead_, true)) return;
  for (const auto& [path, interfaces] : bus_.objects()) {
    const auto characteristic = interfaces.constFind(kCharacteristicInterface);
    if (characteristic == interfaces.constEnd() ||
        objectPath(characteristic->value(QStringLiteral("Service"))) != path_)
      continue;
    auto model = std::make_shared<Characteristic>();
    model->uuid = bleUuid(characteristic->value(QStringLiteral("UUID")).toString());
    model->properties = propertiesOf(characteristic->value(QStringLiteral("Flags")).toStringList());
    const QByteArray value = characteristic->value(QStringLiteral("Value")).toByteArray();
    if (!value.isEmpty()) model->value = toBytes(value);
    model->service = model_.get();
    auto entry = std::make_unique<Entry>(Entry{path, false, std::move(model), {}});
    model_->characteristics.push_back(entry->model);
    entries_.push_back(std::move(entry));
  }
  for (const auto& [path, interfaces] : bus_.objects()) {
    const auto descriptor = interfaces.constFind(kDescriptorInterface);
    if (descriptor == interfaces.constEnd() ||
        descriptor->value(QStringLiteral("UUID")).toString().compare(kClientConfiguration, Qt::CaseInsensitive) != 0)
      continue;
    const QString owner = objectPath(descriptor->value(QStringLiteral("Characteristic")));
    for (const auto& entry : entries_) {
      if (entry->path == owner) entry->notifies = true;
    }
  }
  const QVariant includes = bus_.property(path_, kServiceInterface, QStringLiteral("Includes"));
  QList<QDBusObjectPath> included;
  if (includes.metaType() == QMetaType::fromType<QDBusArgument>()) included = qdbus_cast<QList<QDBusObjectPath>>(includes.value<QDBusArgument>());
  else included = includes.value<QList<QDBusObjectPath>>();
  for (const QDBusObjectPath& path : included) {
    auto service = std::make_shared<Service>();
    service->uuid = bleUuid(bus_.property(path.path(), kServiceInterface, QStringLiteral("UUID")).toString());
    service->isPrimary = false;
    model_->includedServices.push_back(std::move(service));
  }
}

void QtGattService::setNotifyValue(bool enabled, Characteristic& characteristic) {
  Entry* entry = find(characteristic);
  if (!entry) return;
  if (!entry->notifies) {
    notificationStateAnswered(*entry, characteristic.isNotifying, Error{"the characteristic cannot notify"});
    return;
  }
  bus_.call(entry->path, kCharacteristicInterface, enabled ? QStringLiteral("StartNotify") : QStringLiteral("StopNotify"),
            {}, &context_, [this, entry, enabled](const QDBusMessage& reply) {
              if (reply.type() == QDBusMessage::ErrorMessage) {
                notificationStateAnswered(*entry, entry->model->isNotifying, Error{"the subscription failed"});
              } else {
                notificationStateAnswered(*entry, enabled, {});
              }
            });
}

void QtGattService::notificationStateAnswered(Entry& entry, bool enabled, const Result<>& result) {
  report_([model = entry.model, enabled, result](PeripheralDelegate& d, Peripheral& p) {
    if (result.ok()) model->isNotifying = enabled;
    d.didUpdateNotificationState(p, *model, result);
  });
}

void QtGattService::characteristicChanged(const QString& path, const QVariantMap& changed) {
  const auto value = changed.constFind(QStringLiteral("Value"));
  if (value == changed.constEnd()) return;
  for (const auto& entry : entries_) {
    if (entry->path != path || !entry->notifies) continue;
    // Each call carries its own value: a later notification may arrive first.
    report_([model = entry->model, bytes = toBytes(value->toByteArray())](PeripheralDelegate& d, Peripheral& p) {
      model->value = bytes;
      d.didUpdateValue(p, *model, {});
    });
  }
}

void QtGattService::writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) {
  Entry* entry = find(characteristic);
  if (!entry) return;
  if (type == WriteType::withoutResponse) {
    outcomes_.accepted(value, type);
    bus_.call(entry->path, kCharacteristicInterface, QStringLiteral("WriteValue"),
              {toQByteArray(value), QVariantMap{{QStringLiteral("type"), QStringLiteral("command")}}}, &context_);
    return;
  }
  if (auto now = entry->writes.submit(value)) send(*entry, *now);
}

void QtGattService::send(Entry& entry, const Bytes& value) {
  const std::uint64_t write = ++writesSent_;
  writesInFlight_.push_back({&entry, write, value});
  bus_.call(entry.path, kCharacteristicInterface, QStringLiteral("WriteValue"),
            {toQByteArray(value), QVariantMap{{QStringLiteral("type"), QStringLiteral("request")}}}, &context_,
            [this, write](const QDBusMessage& reply) {
              writeAnswered(write, reply.type() == QDBusMessage::ErrorMessage
                                       ? Result<>(Error{"the receiver refused the write"})
                                       : Result<>());
            });
  QTimer::singleShot(kWriteConfirmationLimit, &context_, [this, write] { writeUnanswered(write); });
}

void QtGattService::writeAnswered(std::uint64_t write, const Result<>& result) {
  const auto it = std::find_if(writesInFlight_.begin(), writesInFlight_.end(),
                               [write](const InFlight& each) { return each.write == write; });
  // Given up already: the link it went out on is being built again.
  if (it == writesInFlight_.end()) return;
  Entry& entry = *it->entry;
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
  // The coalescer keeps the write counted as in flight: nothing more goes out on this link.
  const std::shared_ptr<Characteristic> model = it->entry->model;
  const Error error{"the write was not answered in time"};
  outcomes_.failed(it->value, error.message);
  writesInFlight_.erase(it);
  report_([model, error](PeripheralDelegate& d, Peripheral& p) { d.didWriteValue(p, *model, error); });
  outcomes_.stalled();
}

int QtGattService::pendingWrites() const {
  int pending = 0;
  for (const auto& entry : entries_) pending += entry->writes.pending();
  return pending;
}

}  // namespace kiro
