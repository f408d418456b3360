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

TEST_F(LinkManagerDataPath, AFrameBecomesOneCommandByteWrittenWithResponse) {
  struct Case {
    const char* frame;
    Bytes written;
  };
  const std::vector<Case> cases{
      {"00010000", {0x10}}, {"10010000", {0x90}}, {"11110000", {0xF0}}, {"10000000", {0x80}},
      // A one-digit hex value is still one byte, not a write without bytes.
      {"00000001", {0x01}}, {"00001111", {0x0F}},
  };
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  for (const auto& c : cases) {
    receiver.clearWrites();
    link.writeDataType("FFB0", "FFB2", c.frame);
    loop.advance(100ms);
    ASSERT_EQ(receiver.writes().size(), 1u) << c.frame;
    const auto& write = receiver.writes().front();
    EXPECT_EQ(write.bytes, c.written) << c.frame;
    EXPECT_EQ(write.type, WriteType::withResponse) << c.frame;
    EXPECT_EQ(write.characteristic, kCommand) << c.frame;
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

TEST_F(LinkManagerDataPath, TheWriteTypeFollowsTheWritePropertyBit) {
  auto& receiver = addReceiver(
      1, "Kiro-A", {{kCommandService, {{kCommand, property::writeWithoutResponse | property::notify}}, {}}});
  auto& link = connectedToFirst();
  link.writeDataType("FFB0", "FFB2", "00010000");
  loop.advance(100ms);
  ASSERT_TRUE(receiver.lastWrite().has_value());
  EXPECT_EQ(receiver.lastWrite()->type, WriteType::withoutResponse);
  EXPECT_EQ(receiver.lastWrite()->bytes, Bytes{0x10});
}

TEST_F(LinkManagerDataPath, EveryMatchingCharacteristicOfEveryMatchingServiceIsWritten) {
  const SimService command{kCommandService,
                               {{kCommand, property::write}, {*BleUuid::parse("FFB1"), property::write},
                                {kCommand, property::writeWithoutResponse}},
                               {}};
  auto& receiver = addReceiver(1, "Kiro-A", {command, command});
  auto& link = connectedToFirst();
  link.writeDataType("FFB0", "FFB2", "00010000");
  loop.advance(100ms);
  ASSERT_EQ(receiver.writes().size(), 4u);
  for (const auto& write : receiver.writes()) EXPECT_EQ(write.characteristic, kCommand);
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

TEST_F(LinkManagerDataPath, AConfirmedWritePostsAnUpdate) {
  addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  link.writeDataType("FFB0", "FFB2", "00010000");
  updates.clear();
  loop.advance(100ms);
  EXPECT_EQ(updates.size(), 1u);
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
      {0xF3, {"0", "0", "1", "1"}}, {0xFF, {"1", "1", "1", "1"}}, {0x02, {"0", "0", "1", "0"}},
      {0x0C, {"1", "1", "0", "0"}}, {0x64, {"0", "1", "0", "0"}},
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
