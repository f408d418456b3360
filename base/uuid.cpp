#include "base/uuid.h"

#include <initializer_list>

namespace kiro {

namespace {

constexpr std::array<std::uint8_t, 16> kBluetoothBase{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                                      0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB};

// digits read pairwise into out, in place: a write parses its characteristic's UUID every
// frame. false on an odd length or any non-hex character.
bool readHex(std::string_view digits, std::uint8_t* out) {
  if (digits.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto high = hexDigitValue(digits[i]);
    const auto low = hexDigitValue(digits[i + 1]);
    if (!high || !low) return false;
    *out++ = static_cast<std::uint8_t>(*high * 16 + *low);
  }
  return true;
}

}  // namespace

std::optional<Uuid> Uuid::parse(std::string_view text) {
  if (text.size() != 36) return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::uint8_t* out = bytes.data();
  std::size_t start = 0;
  for (const std::size_t dash : {8U, 13U, 18U, 23U, 36U}) {
    if (dash < text.size() && text[dash] != '-') return std::nullopt;
    const std::string_view group = text.substr(start, dash - start);
    if (!readHex(group, out)) return std::nullopt;
    out += group.size() / 2;
    start = dash + 1;
  }
  return Uuid(bytes);
}

std::string Uuid::UUIDString() const {
  const auto text = characters();
  return std::string(text.begin(), text.end());
}

bool Uuid::isWrittenAs(std::string_view text) const {
  const auto own = characters();
  return text == std::string_view(own.data(), own.size());
}

std::array<char, 36> Uuid::characters() const {
  // Written in one pass: the screens and the script events ask for it several times a frame.
  static constexpr char digits[] = "0123456789ABCDEF";
  std::array<char, 36> text{};
  text.fill('-');
  std::size_t at = 0;
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) ++at;
    text[at++] = digits[bytes_[i] >> 4];
    text[at++] = digits[bytes_[i] & 0x0F];
  }
  return text;
}

std::optional<BleUuid> BleUuid::parse(std::string_view text) {
  BleUuid uuid;
  if (text.size() == 4 || text.size() == 8) {
    auto bytes = kBluetoothBase;
    const std::size_t offset = 4 - text.size() / 2;
    if (!readHex(text, bytes.data() + offset)) return std::nullopt;
    uuid.full_ = Uuid(bytes);
    uuid.length_ = text.size() / 2;
    return uuid;
  }
  auto full = Uuid::parse(text);
  if (!full) return std::nullopt;
  uuid.full_ = *full;
  uuid.length_ = 16;
  return uuid;
}

BleUuid BleUuid::from16(std::uint16_t value) {
  auto bytes = kBluetoothBase;
  bytes[2] = static_cast<std::uint8_t>(value >> 8);
  bytes[3] = static_cast<std::uint8_t>(value & 0xFF);
  BleUuid uuid;
  uuid.full_ = Uuid(bytes);
  uuid.length_ = 2;
  return uuid;
}

Bytes BleUuid::data() const {
  const auto& bytes = full_.bytes();
  if (length_ == 16) return Bytes(bytes.begin(), bytes.end());
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(4 - length_), bytes.begin() + 4);
}

std::string BleUuid::UUIDString() const {
  if (length_ == 16) return full_.UUIDString();
  return hexText(data(), HexCase::upper);
}

}  // namespace kiro
