#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace kiro {

// A 128-bit identifier, such as a peripheral's; its text is upper-case 8-4-4-4-12 hex.
class Uuid {
 public:
  Uuid() = default;
  explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

  // text: 36 characters, hex digits in either case with dashes at 8, 13, 18 and 23.
  static std::optional<Uuid> parse(std::string_view text);

  std::string UUIDString() const;
  // The same characters, with no string built: a frame's event writes them out.
  std::array<char, 36> characters() const;
  // Whether text is exactly UUIDString(), told without building it: the remote screen
  // compares the remembered receiver's record with the list at every update.
  bool isWrittenAs(std::string_view text) const;
  const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

  friend bool operator==(const Uuid&, const Uuid&) = default;
  friend auto operator<=>(const Uuid&, const Uuid&) = default;

 private:
  std::array<std::uint8_t, 16> bytes_{};
};

// A Bluetooth UUID: 16-bit ("FFB0"), 32-bit or full 128-bit. Equal by value, so "FFB0"
// equals 0000FFB0-0000-1000-8000-00805F9B34FB.
class BleUuid {
 public:
  // text: 4 or 8 hex digits, or a 36-character UUID; nullopt for anything else.
  static std::optional<BleUuid> parse(std::string_view text);
  // A 16-bit UUID such as 0xFFB0.
  static BleUuid from16(std::uint16_t value);

  // 2, 4 or 16 bytes, as the UUID was given.
  Bytes data() const;
  // "FFB0" for a 16-bit UUID, the 36-character form for a 128-bit one.
  std::string UUIDString() const;
  const Uuid& full() const { return full_; }

  friend bool operator==(const BleUuid& a, const BleUuid& b) { return a.full_ == b.full_; }

 private:
  Uuid full_;
  std::size_t length_ = 16;
};

}  // namespace kiro
