#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerDataPath = LinkManagerFixture;

const BleUuid kCommandService = *BleUuid::parse("FFB0");
const BleUuid kCommand = *BleUuid::parse("FFB2");

TEST_F(LinkManagerDataPath, AFrameIsWrittenAsOneCommandByteWhoseConfirmationPostsAnUpdate) {
  const std::pair<const char*, std::optional<Bytes>> cases[] = {
      {"00010000", Bytes{0x10}}, {"10010000", Bytes{0x90}},
      // A one-digit hex value is still one byte; a frame whose value is no byte is not written.
      {"00000001", Bytes{0x01}}, {"00001111", Bytes{0x0F}}, {"00000000", std::nullopt}, {"100000000", std::nullopt},
  };
  auto& receiver = radio.addReceiver("Kiro-A");
  auto& link = connectedToFirst();
  for (const auto& [frame, bytes] : cases) {
    receiver.clearWrites();
    link.writeDataType("FFB0", "FFB2", frame);
    updates.clear();
    loop.advance(100ms);
    EXPECT_EQ(receiver.writes().size(), bytes ? 1u : 0u) << frame;
    EXPECT_EQ(receiver.lastWrite() ? std::optional(receiver.lastWrite()->bytes) : std::nullopt, bytes) << frame;
    EXPECT_EQ(updates.size(), receiver.writes().size()) << frame;
  }
}

// The write type follows the write property bit of each characteristic written. Nothing is
// written without a current peripheral, the service, the characteristic or a UUID text.
TEST_F(LinkManagerDataPath, EveryMatchingCharacteristicOfEveryMatchingServiceIsWrittenAndNothingElse) {
  const SimService command{kCommandService,
                           {{kCommand, property::write}, {*BleUuid::parse("FFB1"), property::write},
                            {kCommand, property::writeWithoutResponse | property::notify}},
                           {}};
  auto& receiver = addReceiver(1, "Kiro-A", {command, command});
  auto& link = scanned();
  link.writeDataType("FFB0", "FFB2", "00010000");  // no current peripheral yet
  pick("0");
  loop.advance(2s);
  link.writeDataType("180A", "FFB2", "00010000");
  link.writeDataType("FFB0", "FFB9", "00010000");
  link.writeDataType("not a uuid", "FFB2", "00010000");
  link.writeDataType("FFB0", "FFB2", "00010000");
  loop.advance(100ms);
  const SimWrite with{{0x10}, WriteType::withResponse, kCommand};
  const SimWrite without{{0x10}, WriteType::withoutResponse, kCommand};
  auto writes = receiver.writes();
  for (auto& write : writes) write.time = {};
  EXPECT_EQ(writes, (std::vector<SimWrite>{with, without, with, without}));
  EXPECT_TRUE(log.contains("write dropped: not a uuid / FFB2 is not a Bluetooth UUID"));
}

// Each byte posts its low four bits, the last digit in entry 3; an empty value posts only its update.
TEST_F(LinkManagerDataPath, EachFeedbackBytePostsItsLowFourBitsInByteOrder) {
  auto& receiver = addReceiver(1, "Kiro-A", {{kCommandService, {{kCommand, property::notify}}, {}}});
  connectedToFirst();
  const std::pair<Bytes, std::vector<LampArray>> cases[] = {
      {{0x01, 0x08}, {{"0", "0", "0", "1"}, {"1", "0", "0", "0"}}}, {{0x05}, {{"0", "1", "0", "1"}}},
      {{0xF3}, {{"0", "0", "1", "1"}}}, {{0x64}, {{"0", "1", "0", "0"}}}, {{}, {}},
  };
  for (const auto& [value, lamps] : cases) {
    lights.clear();
    updates.clear();
    receiver.simulateNotification(value);
    loop.advance(100ms);
    EXPECT_EQ(lights, lamps) << testing::PrintToString(value);
    EXPECT_EQ(updates.size(), 1u);
  }
}

}  // namespace
}  // namespace kiro::link_test
