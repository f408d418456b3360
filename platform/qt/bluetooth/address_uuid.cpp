#include "platform/qt/bluetooth/address_uuid.h"

#include <QUuid>

#include "platform/qt/bluetooth/qt_bluetooth_types.h"

namespace kiro {

namespace {

// Fixed for good: changing it would forget every remembered receiver.
const QUuid kAddressNamespace(QStringLiteral("6f1c2a54-3b8e-4d7a-9c11-5e2f0b7d8a43"));

}  // namespace

Uuid addressUuid(const QString& address) {
  return toUuid(QUuid::createUuidV5(kAddressNamespace, address.toUpper()));
}

}  // namespace kiro
