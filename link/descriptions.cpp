#include "link/descriptions.h"

#include <cstdio>

namespace kiro {

namespace {

// Length of the UTF-8 sequence that starts with lead, or 0 when lead cannot start one.
std::size_t sequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool validUtf8(const Bytes& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = sequenceLength(bytes[i]);
    if (length == 0 || i + length > bytes.size()) return false;
    std::uint32_t code = length == 1 ? bytes[i] : bytes[i] & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
      code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string describe(const Peripheral& peripheral) {
  return "<Peripheral: identifier = " + peripheral.identifier().UUIDString() +
         ", name = " + describe(peripheral.name()) + ", state = " + stateName(peripheral.state()) + ">";
}

std::string describe(const Service& service) {
  return "<Service: UUID = " + service.uuid.UUIDString() + ", isPrimary = " + (service.isPrimary ? "YES" : "NO") +
         ">";
}

std::string describe(const Characteristic& characteristic) {
  char properties[16];
  std::snprintf(properties, sizeof properties, "0x%X", static_cast<unsigned>(characteristic.properties));
  return "<Characteristic: UUID = " + characteristic.uuid.UUIDString() + ", properties = " + properties +
         ", value = " + describe(characteristic.value) +
         ", notifying = " + (characteristic.isNotifying ? "YES" : "NO") + ">";
}

std::string describe(const Central& central) {
  return "<Central: state = " + std::to_string(static_cast<int>(central.state())) + ">";
}

std::string describe(const std::optional<Bytes>& bytes) {
  if (!bytes) return "(null)";
  return "<" + hexText(*bytes) + ">";
}

std::string describe(const std::vector<std::string>& list) {
  std::string text = "(";
  for (std::size_t i = 0; i < list.size(); ++i) text += (i == 0 ? "" : ", ") + list[i];
  return text + ")";
}

std::string describe(const std::map<std::string, std::string>& dictionary) {
  std::string text = "{";
  for (const auto& [key, value] : dictionary) text += (text.size() == 1 ? "" : "; ") + key + " = " + value;
  return text + "}";
}

std::string describe(const std::optional<std::string>& text) { return text ? *text : "(null)"; }

std::optional<std::string> utf8Text(const std::optional<Bytes>& bytes) {
  if (!bytes || !validUtf8(*bytes)) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace kiro
