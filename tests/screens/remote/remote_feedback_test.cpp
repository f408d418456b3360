#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using RemoteScreenFeedback = RemoteScreenFixture;

// Entry 0 flashes blue and acknowledges, 2 lights red, 3 green; several at once light together.
TEST_F(RemoteScreenFeedback, EachEntryOfALampArrayActsOnItsOwn) {
  remote->loadViewIfNeeded();
  const struct {
    LampArray lamps;
    const char* shown;
  } cases[] = {
      {{}, "---"},
      {{{true, false, false, false}}, "-B-"},
      {{{false, false, false, true}}, "G--"},
      {{{true, true, true, true}}, "GBR"},
  };
  for (const auto& c : cases) {
    remote->change2(c.lamps);
    EXPECT_EQ(lamps(), c.shown);
    EXPECT_EQ(remote->byteArray()[CommandFrame::acknowledge], c.shown[1] == 'B');
    loop.advance(2s);
  }
}

}  // namespace
}  // namespace kiro::remote_test
