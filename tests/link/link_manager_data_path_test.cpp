#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerDataPath = LinkManagerFixture;

const BleUuid kCommandService = *BleUuid::parse("FFB0");
const BleUuid kCommand = *BleUuid::parse("FFB2");
constexpr const char* kWriteStepLine = "将要写入的数据为:";

bool writeStepLogged(const TimedLog& log) {
  return std::any_of(log.entries.begin(), log.entries.end(),
                     [](const auto& e) { return e.text.starts_with(kWriteStepLine); });
}

// A receiver whose only notifying characteristic is the one named, so each notified
// value arrives once.
SimGattTable oneNotifier() { return {{kCommandService, {{kCommand, property::write | property::notify}}, {}}}; }

TEST_F(LinkManagerDataPath, AFrameBecomesOneCommandByteWhoseConfirmationPostsAnUpdate) {
  struct Case {
    const char* frame;
    Bytes written;
  };
  const std::vector<Case> cases{
      {"00010000", {0x10}}, {"10010000", {0x90}},
      // A one-digit hex value is still one byte, not a write without bytes.
      {"00000001", {0x01}}, {"00001111", {0x0F}},
  };
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  for (const auto& c : cases) {
    receiver.clearWrites();
    link.writeDataType("FFB0", "FFB2", c.frame);
    updates.clear();
    loop.advance(100ms);
    ASSERT_EQ(receiver.writes().size(), 1u) << c.frame;
    EXPECT_EQ(receiver.writes().front().bytes, c.written) << c.frame;
    EXPECT_EQ(updates.size(), 1u) << c.frame;
  }
}

TEST_F(LinkManagerDataPath, AFrameWithoutABytePatternIsNotWritten) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  for (const char* frame : {"00000000", "", "not bits", "100000000"}) {
    link.writeDataType("FFB0", "FFB2", frame);
    EXPECT_TRUE(log.contains(std::string("number is:") + frame)) << frame;
  }
  loop.advance(100ms);
  EXPECT_TRUE(receiver.writes().empty());
  EXPECT_FALSE(writeStepLogged(log));
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
  ASSERT_EQ(receiver.writes().size(), 4u);
  std::size_t withResponse = 0;
  for (const auto& write : receiver.writes()) {
    EXPECT_EQ(write.characteristic, kCommand);
    EXPECT_EQ(write.bytes, Bytes{0x10});
    withResponse += write.type == WriteType::withResponse;
  }
  EXPECT_EQ(withResponse, 2u);
}

TEST_F(LinkManagerDataPath, NothingIsWrittenOrLoggedByTheWriteStepWithoutATarget) {
  auto& receiver = addReceiver(1, "Kiro-A", {{*BleUuid::parse("180A"), {{kCommand, property::write}}, {}}});
  auto& link = scanned();

  // No current peripheral: the conversion steps still log.
  link.writeDataType("FFB0", "FFB2", "00010000");
  EXPECT_TRUE(log.contains("转换为十进制后:16"));
  EXPECT_TRUE(log.contains("ad16String为:10"));

  // A current peripheral that lacks the service, then an unknown characteristic, then bad UUID texts.
  pick("0");
  loop.advance(2s);
  ASSERT_EQ(receiver.state(), PeripheralState::connected);
  link.writeDataType("FFB0", "FFB2", "00010000");
  link.writeDataType("180A", "FFB9", "00010000");
  link.writeDataType("not a uuid", "FFB2", "00010000");
  loop.advance(100ms);
  EXPECT_TRUE(receiver.writes().empty());
  EXPECT_FALSE(writeStepLogged(log));
}

TEST_F(LinkManagerDataPath, EachFeedbackBytePostsItsLowFourBitsInByteOrder) {
  auto& receiver = addReceiver(1, "Kiro-A", oneNotifier());
  connectedToFirst();
  receiver.simulateNotification({0x01, 0x08});
  loop.advance(100ms);
  EXPECT_EQ(lights, (std::vector<LampArray>{{"0", "0", "0", "1"}, {"1", "0", "0", "0"}}));

  struct Case {
    std::uint8_t byte;
    LampArray lamps;
  };
  const std::vector<Case> cases{
      {0x00, {"0", "0", "0", "0"}}, {0x05, {"0", "1", "0", "1"}}, {0x18, {"1", "0", "0", "0"}},
      {0xF3, {"0", "0", "1", "1"}}, {0xFF, {"1", "1", "1", "1"}}, {0x64, {"0", "1", "0", "0"}},
  };
  for (const auto& c : cases) {
    lights.clear();
    receiver.simulateNotification({c.byte});
    loop.advance(100ms);
    EXPECT_EQ(lights, std::vector<LampArray>{c.lamps}) << int{c.byte};
  }
}

TEST_F(LinkManagerDataPath, AnEmptyFeedbackValuePostsOnlyAnUpdate) {
  auto& receiver = addReceiver(1, "Kiro-A", oneNotifier());
  connectedToFirst();
  updates.clear();
  receiver.simulateNotification({});
  loop.advance(100ms);
  EXPECT_TRUE(lights.empty());
  EXPECT_EQ(updates.size(), 1u);
}

}  // namespace
}  // namespace kiro::link_test
