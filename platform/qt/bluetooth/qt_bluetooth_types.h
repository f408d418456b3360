#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceInfo>
#include <QBluetoothUuid>
#include <QByteArray>
#include <QUuid>

#include "platform/central.h"

namespace kiro {

Uuid toUuid(const QUuid& uuid);
// Keeps the short form of a 16-bit UUID, so "FFB0" reads back as "FFB0".
BleUuid toBleUuid(const QBluetoothUuid& uuid);
// A UUID as BlueZ writes it ("0000ffb0-0000-1000-8000-00805f9b34fb"), short where it can be.
BleUuid bleUuid(const QString& text);
Bytes toBytes(const QByteArray& bytes);
QByteArray toQByteArray(const Bytes& bytes);

// The platform's device UUID where it has one; otherwise one derived from the address.
Uuid deviceIdentifier(const QBluetoothDeviceInfo& info);
// The device's name; nullopt when it has none (BlueZ then shows the address, with dashes).
std::optional<std::string> deviceName(const QBluetoothDeviceInfo& info);
// The same, from BlueZ's Alias and Address.
std::optional<std::string> deviceName(const QString& alias, const QString& address);

}  // namespace kiro
