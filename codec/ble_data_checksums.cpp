#include <array>

#include "codec/ble_data.h"

namespace kiro {

namespace {

using Crc32Table = std::array<std::uint32_t, 256>;

// Built on first use; a function-local static is initialised once even under
// concurrent first calls.
const Crc32Table& crc32Table() {
  static const Crc32Table table = [] {
    Crc32Table built{};
    for (std::uint32_t i = 0; i < built.size(); ++i) {
      std::uint32_t value = i;
      for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
      built[i] = value;
    }
    return built;
  }();
  return table;
}

// CRC-16/MODBUS, four bits at a time: entry n is n run through the reflected 0x8005.
constexpr std::array<std::uint16_t, 16> kCrc16Nibbles{0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                                     0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                                     0x5000, 0x9C01, 0x8801, 0x4400};

std::uint16_t crc16Nibble(std::uint16_t crc, unsigned nibble) {
  return static_cast<std::uint16_t>(kCrc16Nibbles[(crc ^ nibble) & 0x0F] ^ (crc >> 4));
}

}  // namespace

void bleData::init_table() { crc32Table(); }

// A null pointer counts as no bytes.
std::uint32_t bleData::crc32(const std::uint8_t* bytes, std::int64_t lenght) {
  const Crc32Table& table = crc32Table();
  if (lenght < 1 || bytes == nullptr) return 0;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::int64_t i = 0; i < lenght; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string bleData::crc_16_check(const Bytes& data) {
  std::uint16_t crc = 0xFFFF;
  for (auto byte : data) {
    crc = crc16Nibble(crc, byte);
    crc = crc16Nibble(crc, byte >> 4);
  }
  return dataToByteTohex({static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc & 0xFF)});
}

}  // namespace kiro
