#include "codec/ble_data.h"
#include "platform/platform.h"

namespace kiro {

namespace {

// The last characteristic listed under cUUID in a service listed as sUUID, compared by
// their exact upper-case UUID text.
Characteristic* findCharacteristic(const Peripheral& peripheral, const std::string& sUUID,
                                   const std::string& cUUID) {
  Characteristic* found = nullptr;
  for (const auto& service : peripheral.services()) {
    if (!service || service->uuid.UUIDString() != sUUID) continue;
    for (const auto& characteristic : service->characteristics)
      if (characteristic && characteristic->uuid.UUIDString() == cUUID) found = characteristic.get();
  }
  return found;
}

}  // namespace

void bleData::writeStr(const Bytes& data, const std::string& sUUID, const std::string& cUUID,
                       Peripheral& peripheral) {
  Characteristic* characteristic = findCharacteristic(peripheral, sUUID, cUUID);
  if (!characteristic) {
    platform().log.line("没有发现服务");
    return;
  }
  const WriteType type = (characteristic->properties & property::write) ? WriteType::withResponse
                                                                          : WriteType::withoutResponse;
  peripheral.writeValue(data, *characteristic, type);
  platform().log.print("发送数据 %@", "<" + dataToByteTohex(data) + ">");
}

}  // namespace kiro
