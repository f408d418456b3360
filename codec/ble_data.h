#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "codec/date.h"
#include "platform/central.h"
#include "base/uuid.h"

namespace kiro {

// Conversions between numbers, hex text and bytes, checksums, date helpers and a direct
// write. Used only through its class operations.
struct bleData {
  // Each byte as two lower-case hex digits: {0x01, 0xAB} is "01ab".
  static std::string dataToByteTohex(const Bytes& data);
  // Upper-cases, drops spaces, then one byte per character pair; never rejects.
  static Bytes stringToByte(const std::string& text);
  // Character pairs read with the first pair least significant: "3412" is 0x1234.
  static std::int32_t littleEndianModeToInt(const std::string& text);
  // Each character pair becomes the character with that code: "4142" is "AB".
  static std::string getNameWithASCII(const std::string& text);
  // Hex text read with the last pair least significant; never rejects.
  static std::int32_t ToHex(const std::string& text);
  // Reverses the order of the character pairs, then fits the text to length characters.
  static std::string intToLittle(const std::string& text, std::int32_t length);
  // Base-2 digits, most significant first.
  static std::string toBinary(std::int32_t value);
  // Upper-case hex of value, left-filled to at least lenght bytes.
  static std::string getHex(std::int64_t value, std::int32_t lenght);
  // "FFB0" for a 16-bit UUID, the 36-character form for a 128-bit one.
  static std::string CBUUIDToString(const BleUuid& uuid);

  // Builds the CRC-32 table; crc32 does so itself on first use.
  static void init_table();
  // CRC-32/ISO-HDLC of the lenght bytes at bytes; 0 for a count below 1.
  static std::uint32_t crc32(const std::uint8_t* bytes, std::int64_t lenght);
  // CRC-16/MODBUS as four lower-case hex digits, high byte first.
  static std::string crc_16_check(const Bytes& data);

  // Now, as "yyyy-MM-dd HH:mm:ss zzzz" in the device's locale and time zone.
  static std::string getNowDate();
  // pattern: a Unicode date pattern such as "yyyy-MM-dd"; empty text if the date library rejects it.
  static std::string getDateWithStr(const std::string& pattern, Date date);
  // The date as "HH:mm".
  static std::string stringFromDateWithHourMin(Date date);
  // "yyyy-MM-dd HH:mm:ss" (a "T" may stand for the space) in the device's time zone.
  static std::optional<Date> dateFromString(const std::string& text);
  // Whole days from first to second, negative when second is earlier.
  static std::int64_t getDayNumberWithDate(Date first, Date second);
  // The present local date, time and zone as a 12-byte hex clock record.
  static std::string checkTime();

  // Writes data to characteristic cUUID of service sUUID, matched by their exact
  // UUID text; logs and does nothing else when there is no such characteristic.
  static void writeStr(const Bytes& data, const std::string& sUUID, const std::string& cUUID,
                       Peripheral& peripheral);
};

}  // namespace kiro
