#include "link/descriptions.h"

#include <cstdio>

#include "base/utf8.h"

namespace kiro {

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

std::string describe(const Uuid& uuid) { return uuid.UUIDString(); }

std::string describe(const BleUuid& uuid) { return uuid.UUIDString(); }

std::string describe(const Central& central) {
  return "<Central: state = " + std::to_string(static_cast<int>(central.state())) + ">";
}

std::string describe(const Bytes& bytes) { return "<" + hexText(bytes) + ">"; }

std::string describe(const std::optional<Bytes>& bytes) {
  return bytes ? describe(*bytes) : "(null)";
}

std::string describe(const std::vector<std::string>& list) {
  std::string text = "(";
  for (std::size_t i = 0; i < list.size(); ++i) text += (i == 0 ? "" : ", ") + list[i];
  return text + ")";
}

std::string describe(const std::array<bool, 4>& entries) {
  std::string text = "(";
  for (std::size_t i = 0; i < entries.size(); ++i) text += std::string(i == 0 ? "" : ", ") + (entries[i] ? "1" : "0");
  return text + ")";
}

std::string describe(const std::map<std::string, std::string>& dictionary) {
  std::string text = "{";
  for (const auto& [key, value] : dictionary) text += (text.size() == 1 ? "" : "; ") + key + " = " + value;
  return text + "}";
}

std::string describe(const std::optional<std::string>& text) { return text ? *text : "(null)"; }

std::string describe(const Result<>& result) { return result.ok() ? "(null)" : result.error().message; }

std::optional<std::string> utf8Text(const std::optional<Bytes>& bytes) {
  if (!bytes) return std::nullopt;
  std::string text(bytes->begin(), bytes->end());
  if (!isValidUtf8(text)) return std::nullopt;
  return text;
}

}  // namespace kiro
