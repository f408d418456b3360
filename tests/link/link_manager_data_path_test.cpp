#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerDataPath = LinkManagerFixture;

const BleUuid kCommandService = *BleUuid::parse("FFB0");
const BleUuid kCommand = *BleUuid::parse("FFB2");

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
  link.connectionService(0);
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

}  // namespace
}  // namespace kiro::link_test
