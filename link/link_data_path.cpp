#include "link/link_manager.h"

#include <algorithm>

#include "codec/data_tool.h"
#include "link/descriptions.h"
#include "link/integer_value.h"

namespace kiro {

void singleton::writeDataType(const std::string& type, const std::string& type2, const std::string& writeType) {
  log_.print("需要写入的服务是:%@,需要写入的特征是:%@", type, type2);
  log_.print("number is:%@", writeType);
  const std::string decimal = dataTool::toDecimalSystemWithBinarySystem(writeType);
  log_.print("转换为十进制后:%@", decimal);
  const std::int32_t value = intValue(decimal);
  std::string hex = dataTool::tenTenAD(value);
  // A value below 16 has one hex digit, which reads as no bytes at all; it is still one byte.
  if (value >= 1 && value <= 15) hex.insert(0, "0");
  log_.print("ad16String为:%@", hex);
  const auto bytes = dataTool::stringToByte2(hex);
  log_.print("dataValue为:%@", described(bytes));
  if (!bytes || bytes->empty()) return;
  writeCharacteristic(peripheral_, type, type2, *bytes);
}

void singleton::writeCharacteristic(const std::shared_ptr<Peripheral>& peripheral, const std::string& sUUID,
                                    const std::string& cUUID, const Bytes& data) {
  if (!peripheral) return;
  const auto serviceUuid = BleUuid::parse(sUUID);
  const auto characteristicUuid = BleUuid::parse(cUUID);
  if (!serviceUuid || !characteristicUuid) {
    log_.print("write dropped: %@ / %@ is not a Bluetooth UUID", sUUID, cUUID);
    return;
  }
  // Every matching characteristic of every matching service is written, not only the first.
  // A write may change the lists (a link that drops at once): they are read in place at each
  // step, never copied, and each entry is held while it is written.
  const std::shared_ptr<Peripheral> target = peripheral;  // the caller's may be reset meanwhile
  for (std::size_t s = 0; s < target->services().size(); ++s) {
    const std::shared_ptr<Service> service = target->services()[s];
    if (!(service->uuid == *serviceUuid)) continue;
    for (std::size_t c = 0; c < service->characteristics.size(); ++c) {
      const std::shared_ptr<Characteristic> characteristic = service->characteristics[c];
      if (!(characteristic->uuid == *characteristicUuid)) continue;
      log_.print("通过写入验证,正在准备写入,写入对象的UUID为:%@", described(characteristic->uuid));
      log_.print("将要写入的数据为:%@", described(data));
      const WriteType type =
          (characteristic->properties & property::write) != 0 ? WriteType::withResponse : WriteType::withoutResponse;
      target->writeValue(data, *characteristic, type);
    }
  }
}

void singleton::didWriteValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>& result) {
  if (!result.ok()) log_.print("a write to %@ failed: %@", described(characteristic.uuid), result.error().message);
  if (isCurrent(peripheral)) {
    if (!result.ok()) {
      commands_.refused(peripheral, result.error().message);
    } else {
      commands_.writeAccepted();
    }
  }
  // Every frame comes here: what only the log shows is worked out only for a listener.
  if (log_.listening()) {
    const auto text = utf8Text(characteristic.value);
    logText("-------------特征值写入-----------------");
    log_.line("特征值写入");
    log_.print("%@", described(peripheral.name()));
    log_.print("%@ value:%@", described(characteristic), described(characteristic.value));
    log_.print("%@", described(text));
    log_.print("得到的值是:%@", described(text));
  }
  radioArr();
}

void singleton::didUpdateValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>&) {
  if (log_.listening()) {
    log_.line("-------------发现特征服务,更新中-----------------");
    log_.print("设备名称为:%@", described(peripheral.name()));
    log_.line("-------------进行边缘连接-----------------");
    logText(format("返回的特征服务:%@ value:%@", describe(characteristic), describe(characteristic.value)));
    log_.print("得到的值是:%@", described(utf8Text(characteristic.value)));
    log_.print("返回服务的uuid是:%@", described(characteristic.uuid));
  }

  // A copy: listeners to light may cause the value to change underneath us.
  const Bytes value = characteristic.value.value_or(Bytes{});
  for (std::size_t i = 0; i < value.size(); ++i) {
    const unsigned byte = value[i];
    log_.print("第%d:%lu", i, byte);
    const std::string decimal = std::to_string(byte);
    dataChange(dataTool::decimalTOBinary(static_cast<std::uint16_t>(intValue(decimal) & 0xFFFF),
                                         static_cast<std::int32_t>(decimal.size())));
  }
  radioArr();
}

void singleton::dataChange(const std::string& bits) {
  LampArray lamps;
  const std::size_t count = std::min<std::size_t>(bits.size(), 4);
  log_.print("长度是:%d", count);
  log_.print("内容是:%@", bits);
  // The low four bits, right-aligned: the last digit is bit 0x01, in entry 3.
  for (std::size_t k = 1; k <= count; ++k) lamps.entries[4 - k] = bits[bits.size() - k] == '1';
  log_.print("转换后放置的位数组内容是:%@", described(lamps));
  light(lamps);
}

void singleton::light(const LampArray& lamps) { light_.send(lamps); }

void singleton::logText(const std::string& text) { log_.print("收到数据:%@", text); }

void singleton::addLogWithService(const Service& service) {
  if (log_.listening()) logText(format("%@ uuid:%@", describe(service), describe(service.uuid)));
}

}  // namespace kiro
