#pragma once

#include <QString>

#include "base/uuid.h"

namespace kiro {

// The identifier of a device the platform knows only by its Bluetooth address (BlueZ).
// A name-based UUID (version 5) of the address text in a fixed namespace: the same on
// every run and machine, so a remembered receiver is found again.
// address: six hex pairs separated by colons, in either case.
Uuid addressUuid(const QString& address);

}  // namespace kiro
