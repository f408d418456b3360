#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <string>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

using SimulatedWrite = SimulatedRadioFixture;

TEST_F(SimulatedWrite, RecordsBytesTypeCharacteristicAndTime) {
  auto& receiver = radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  auto ffb2 = discoverAll(*peripheral, "FFB2");
  takeEvents();
  loop.advance(60ms);
  peripheral->writeValue({0x10}, *ffb2, WriteType::withResponse);
  loop.advance(5ms);
  peripheral->writeValue({0x20, 0x01}, *ffb2, WriteType::withoutResponse);
  const BleUuid ffb2Uuid = BleUuid::from16(0xFFB2);
  EXPECT_EQ(receiver.writes(), (std::vector<SimWrite>{{{0x10}, WriteType::withResponse, ffb2Uuid, 100ms},
                                                      {{0x20, 0x01}, WriteType::withoutResponse, ffb2Uuid, 105ms}}));
  EXPECT_EQ(receiver.lastWrite()->bytes, (Bytes{0x20, 0x01}));
  loop.advance(1s);
  EXPECT_EQ(takeEvents(), Strings{"110 written FFB2"}) << "only the write with response is confirmed";
  receiver.clearWrites();
  EXPECT_EQ(receiver.lastWrite(), std::nullopt);
}

TEST_F(SimulatedWrite, TheCharacteristicsPropertiesDecideWhatIsAccepted) {
  struct Row {
    std::uint32_t properties;
    WriteType type;
    bool recorded;
    Strings answer;
  };
  const std::uint32_t both = property::write | property::writeWithoutResponse;
  const Row rows[] = {
      {both, WriteType::withResponse, true, {"written 0001"}},
      {both, WriteType::withoutResponse, true, {}},
      {property::writeWithoutResponse | property::notify, WriteType::withResponse, false, {"written 0001 error"}},
      {property::writeWithoutResponse | property::notify, WriteType::withoutResponse, true, {}},
      {property::write, WriteType::withoutResponse, false, {}},
      {property::notify, WriteType::withResponse, false, {"written 0001 error"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(testing::Message() << "properties " << row.properties << " type " << static_cast<int>(row.type));
    SimulatedReceiver::Options options;
    options.advertisedName = "Kiro-" + std::to_string(i);
    options.gatt = {{BleUuid::from16(0xFFB0), {{BleUuid::from16(0x0001), row.properties}}, {}}};
    auto& receiver = radio.addReceiver(options);
    auto peripheral = connectTo(*options.advertisedName);
    auto characteristic = discoverAll(*peripheral, "0001");
    takeEvents();

    peripheral->writeValue({0x10}, *characteristic, row.type);
    loop.advance(sim_latency::writeConfirmation);
    EXPECT_EQ(receiver.writes().size(), row.recorded ? 1u : 0u);
    Strings answer;
    for (const auto& event : takeEvents()) answer.push_back(event.substr(event.find(' ') + 1));
    EXPECT_EQ(answer, row.answer);
  }
}

TEST_F(SimulatedWrite, WritesWhileNotConnectedAreDropped) {
  auto& receiver = radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  auto ffb2 = discoverAll(*peripheral, "FFB2");
  central->cancelPeripheralConnection(*peripheral);
  takeEvents();
  peripheral->writeValue({0x10}, *ffb2, WriteType::withResponse);
  peripheral->writeValue({0x10}, *ffb2, WriteType::withoutResponse);
  loop.advance(sim_latency::disconnection);
  peripheral->writeValue({0x10}, *ffb2, WriteType::withResponse);
  loop.advance(1s);
  EXPECT_TRUE(receiver.writes().empty());
  EXPECT_EQ(takeEvents(), Strings{"50 disconnect Kiro-1"});
}

}  // namespace
}  // namespace kiro
