// Every decoder of the command and feedback paths takes any text or bytes, and what the
// encoders write reads back.
#include <cstdint>
#include <string>

#include "codec/ble_data.h"
#include "codec/data_tool.h"
#include "tests/support/simulated_world.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SimulatedWorld world;  // the decoders log what they reject
  world.log.lines.clear();
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Bytes bytes(data, data + size);
  bleData::stringToByte(text);
  bleData::littleEndianModeToInt(text);
  bleData::getNameWithASCII(text);
  bleData::ToHex(text);
  bleData::intToLittle(text, static_cast<std::int32_t>(size % 64) - 8);
  bleData::crc32(data, static_cast<std::int64_t>(size));
  bleData::crc_16_check(bytes);
  bleData::dateFromString(text);
  dataTool::hexadecimalString(bytes);
  dataTool::stringFromHexString(text);
  dataTool::toDecimalSystemWithBinarySystem(text);
  // Strict hex reads back what it wrote, and bits read back as the number they wrote.
  if (dataTool::stringToByte2(bleData::dataToByteTohex(bytes)) != bytes) __builtin_trap();
  const auto number = static_cast<std::uint16_t>(size >= 2 ? data[0] | data[1] << 8 : size);
  if (dataTool::toDecimalSystemWithBinarySystem(dataTool::decimalTOBinary(number, 4)) != std::to_string(number))
    __builtin_trap();
  dataTool::stringToByte2(text);
  return 0;
}
