#include "link/link_manager.h"

#include <algorithm>

#include "codec/data_tool.h"
#include "link/descriptions.h"
#include "link/integer_value.h"

namespace kiro {

void singleton::writeDataType(const std::string& type, const std::string& type2, const std::string& writeType) {
  log_.line(format("需要写入的服务是:%@,需要写入的特征是:%@", type, type2));
  log_.line(format("number is:%@", writeType));
  const std::string decimal = dataTool::toDecimalSystemWithBinarySystem(writeType);
  log_.line(format("转换为十进制后:%@", decimal));
  const std::int32_t value = intValue(decimal);
  std::string hex = dataTool::tenTenAD(value);
  // A value below 16 has one hex digit, which reads as no bytes at all; it is still one byte.
  if (value >= 1 && value <= 15) hex.insert(0, "0");
  log_.line(format("ad16String为:%@", hex));
  const auto bytes = dataTool::stringToByte2(hex);
  log_.line(format("dataValue为:%@", describe(bytes)));
  if (!bytes || bytes->empty()) return;
  writeCharacteristic(peripheral_, type, type2, *bytes);
}

void singleton::writeCharacteristic(const std::shared_ptr<Peripheral>& peripheral, const std::string& sUUID,
                                    const std::string& cUUID, const Bytes& data) {
  if (!peripheral) return;
  const auto serviceUuid = BleUuid::parse(sUUID);
  const auto characteristicUuid = BleUuid::parse(cUUID);
  if (!serviceUuid || !characteristicUuid) {
    log_.line(format("write dropped: %@ / %@ is not a Bluetooth UUID", sUUID, cUUID));
    return;
  }
  // Every matching characteristic of every matching service is written, not only the first.
  const auto services = peripheral->services();
  for (const auto& service : services) {
    if (!(service->uuid == *serviceUuid)) continue;
    const auto characteristics = service->characteristics;
    for (const auto& characteristic : characteristics) {
      if (!(characteristic->uuid == *characteristicUuid)) continue;
      log_.line(format("通过写入验证,正在准备写入,写入对象的UUID为:%@", characteristic->uuid.UUIDString()));
      log_.line(format("将要写入的数据为:%@", describe(std::optional<Bytes>(data))));
      const WriteType type =
          (characteristic->properties & property::write) != 0 ? WriteType::withResponse : WriteType::withoutResponse;
      peripheral->writeValue(data, *characteristic, type);
    }
  }
}

void singleton::didWriteValue(Peripheral& peripheral, Characteristic& characteristic, const BleError& error) {
  if (error) log_.line(format("a write to %@ failed: %@", characteristic.uuid.UUIDString(), *error));
  const auto text = describe(utf8Text(characteristic.value));
  logText("-------------特征值写入-----------------");
  log_.line("特征值写入");
  log_.line(describe(peripheral.name()));
  log_.line(format("%@ value:%@", describe(characteristic), describe(characteristic.value)));
  log_.line(text);
  log_.line(format("得到的值是:%@", text));
  radioArr();
}

void singleton::didUpdateValue(Peripheral& peripheral, Characteristic& characteristic, const BleError&) {
  log_.line("-------------发现特征服务,更新中-----------------");
  log_.line(format("设备名称为:%@", describe(peripheral.name())));
  log_.line("-------------进行边缘连接-----------------");
  logText(format("返回的特征服务:%@ value:%@", describe(characteristic), describe(characteristic.value)));
  log_.line(format("得到的值是:%@", describe(utf8Text(characteristic.value))));
  log_.line(format("返回服务的uuid是:%@", characteristic.uuid.UUIDString()));

  // A copy: observers of "light" may cause the value to change underneath us.
  const Bytes value = characteristic.value.value_or(Bytes{});
  for (std::size_t i = 0; i < value.size(); ++i) {
    const unsigned byte = value[i];
    log_.line(format("第%d:%lu", i, byte));
    const std::string decimal = std::to_string(byte);
    dataChange(dataTool::decimalTOBinary(static_cast<std::uint16_t>(intValue(decimal) & 0xFFFF),
                                         static_cast<std::int32_t>(decimal.size())));
  }
  radioArr();
}

void singleton::dataChange(const std::string& bits) {
  LampArray lamps(4, "0");
  const std::size_t count = std::min<std::size_t>(bits.size(), 4);
  log_.line(format("长度是:%d", count));
  log_.line(format("内容是:%@", bits));
  // The low four bits, right-aligned: the last digit is bit 0x01, in entry 3.
  for (std::size_t k = 1; k <= count; ++k) lamps[4 - k] = bits.substr(bits.size() - k, 1);
  log_.line(format("转换后放置的位数组内容是:%@", describe(lamps)));
  light(lamps);
}

void singleton::light(const LampArray& lamps) { notifications_.post("light", {{"lightArray", lamps}}); }

void singleton::logText(const std::string& text) { log_.line(format("收到数据:%@", text)); }

void singleton::addLogWithService(const Service& service) {
  logText(format("%@ uuid:%@", describe(service), service.uuid.UUIDString()));
}

}  // namespace kiro
