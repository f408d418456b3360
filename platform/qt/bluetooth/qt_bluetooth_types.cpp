#include "platform/qt/bluetooth/qt_bluetooth_types.h"

#include <algorithm>

#include "platform/qt/bluetooth/address_uuid.h"

namespace kiro {

Uuid toUuid(const QUuid& uuid) {
  const QByteArray raw = uuid.toRfc4122();
  std::array<std::uint8_t, 16> bytes{};
  std::copy_n(raw.constBegin(), bytes.size(), bytes.begin());
  return Uuid(bytes);
}

BleUuid toBleUuid(const QBluetoothUuid& uuid) {
  bool isShort = false;
  const quint16 value = uuid.toUInt16(&isShort);
  if (isShort) return BleUuid::from16(value);
  return *BleUuid::parse(uuid.toString(QUuid::WithoutBraces).toStdString());
}

BleUuid bleUuid(const QString& text) { return toBleUuid(QBluetoothUuid(text)); }

Bytes toBytes(const QByteArray& bytes) { return Bytes(bytes.constBegin(), bytes.constEnd()); }

QByteArray toQByteArray(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

Uuid deviceIdentifier(const QBluetoothDeviceInfo& info) {
  if (!info.deviceUuid().isNull()) return toUuid(info.deviceUuid());
  return addressUuid(info.address().toString());
}

std::optional<std::string> deviceName(const QBluetoothDeviceInfo& info) {
  return deviceName(info.name(), info.address().toString());
}

std::optional<std::string> deviceName(const QString& name, const QString& address) {
  QString dashed = address;
  dashed.replace(QLatin1Char(':'), QLatin1Char('-'));
  if (name.isEmpty() || name.compare(dashed, Qt::CaseInsensitive) == 0) return std::nullopt;
  return name.toStdString();
}

}  // namespace kiro
