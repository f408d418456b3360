#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using RemoteScreenFeedback = RemoteScreenFixture;

TEST_F(RemoteScreenFeedback, AnEntryActsOnlyWhenTheArrayHoldsItAndItReadsAsOne) {
  remote->loadViewIfNeeded();
  const struct {
    UserInfo userInfo;
    const char* lamps;
  } cases[] = {
      {{}, "---"},
      {{{"lightArray", LampArray{"1"}}}, "-B-"},
      {{{"lightArray", LampArray{"0", "0", "0", "1", "1"}}}, "G--"},
      {{{"lightArray", LampArray{" 1", "x", "2", "01"}}}, "GB-"},
  };
  for (const auto& c : cases) {
    center.post("light", c.userInfo);
    EXPECT_EQ(lamps(), c.lamps);
    EXPECT_EQ(remote->byteArray()[0] == "1", c.lamps[1] == 'B');
    loop.advance(2s);
  }
}

}  // namespace
}  // namespace kiro::remote_test
