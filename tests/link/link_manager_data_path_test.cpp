#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerDataPath = LinkManagerFixture;

const BleUuid kCommandService = *BleUuid::parse("FFB0");
const BleUuid kCommand = *BleUuid::parse("FFB2");

std::vector<Bytes> written(const SimulatedReceiver& receiver) {
  std::vector<Bytes> bytes;
  for (const auto& write : receiver.writes()) bytes.push_back(write.bytes);
  return bytes;
}

TEST_F(LinkManagerDataPath, AFrameIsWrittenAsOneCommandByteWhoseConfirmationPostsAnUpdate) {
  const std::pair<const char*, std::vector<Bytes>> cases[] = {
      {"00010000", {{0x10}}}, {"10010000", {{0x90}}},
      // A one-digit hex value is still one byte; a frame whose value is no byte is not written.
      {"00000001", {{0x01}}}, {"00001111", {{0x0F}}}, {"00000000", {}}, {"100000000", {}},
  };
  auto& receiver = radio.addReceiver("Kiro-A");
  auto& link = connectedToFirst();
  for (const auto& [frame, bytes] : cases) {
    receiver.clearWrites();
    link.writeDataType("FFB0", "FFB2", frame);
    updates.clear();
    loop.advance(100ms);
    EXPECT_EQ(written(receiver), bytes) << frame;
    EXPECT_EQ(updates.size(), bytes.size()) << frame;
  }
}

// The write type follows the write property bit of each characteristic written.
TEST_F(LinkManagerDataPath, EveryMatchingCharacteristicOfEveryMatchingServiceIsWritten) {
  const SimService command{kCommandService,
                           {{kCommand, property::write}, {*BleUuid::parse("FFB1"), property::write},
                            {kCommand, property::writeWithoutResponse | property::notify}},
                           {}};
  auto& receiver = addReceiver(1, "Kiro-A", {command, command});
  auto& link = connectedToFirst();
  link.writeDataType("FFB0", "FFB2", "00010000");
  loop.advance(100ms);
  const SimWrite with{{0x10}, WriteType::withResponse, kCommand};
  const SimWrite without{{0x10}, WriteType::withoutResponse, kCommand};
  auto writes = receiver.writes();
  for (auto& write : writes) write.time = {};
  EXPECT_EQ(writes, (std::vector<SimWrite>{with, without, with, without}));
}

TEST_F(LinkManagerDataPath, NothingIsWrittenWithoutATarget) {
  auto& receiver = addReceiver(1, "Kiro-A", {{*BleUuid::parse("180A"), {{kCommand, property::write}}, {}}});
  auto& link = scanned();
  link.writeDataType("FFB0", "FFB2", "00010000");  // no current peripheral
  pick("0");
  loop.advance(2s);
  ASSERT_EQ(receiver.state(), PeripheralState::connected);
  // A current peripheral that lacks the service, then an unknown characteristic, then no UUID text.
  link.writeDataType("FFB0", "FFB2", "00010000");
  link.writeDataType("180A", "FFB9", "00010000");
  link.writeDataType("not a uuid", "FFB2", "00010000");
  loop.advance(100ms);
  EXPECT_TRUE(receiver.writes().empty());
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
