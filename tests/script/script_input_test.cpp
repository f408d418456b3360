#include <gtest/gtest.h>

#include "script/live_script.h"
#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

using ScriptInput = ScriptFixture;

TEST_F(ScriptInput, AByteOrderMarkStartsAScriptAndTheNilIdentifierIsRefused) {
  EXPECT_EQ(run("\xEF\xBB\xBFstate\nreceiver add K --id 00000000-0000-0000-0000-000000000000\n"), 2);
  EXPECT_EQ(events("state").size(), 1u);
  EXPECT_EQ(errors.str(), "script line 2: --id cannot be the nil UUID\n");
}

TEST_F(ScriptInput, AHugeBadLineIsNotEchoedWhole) {
  EXPECT_EQ(run("receiver add K --" + std::string(100000, 'x') + "\n"), 2);
  EXPECT_LT(errors.str().size(), 400u);
  EXPECT_NE(errors.str().find("more bytes)"), std::string::npos);
}

TEST_F(ScriptInput, ALineOf1MiBRunsAndOneByteMoreIsRefused) {
  const std::size_t limit = ScriptSession::kMaxLineBytes;
  EXPECT_EQ(run("state" + std::string(limit - 5, ' ') + "\nstate" + std::string(limit - 4, ' ') + "\n"), 2);
  EXPECT_EQ(events("state").size(), 1u);
  EXPECT_EQ(errors.str(), "script line 2: the line is longer than 1 MiB\n");
}

TEST_F(ScriptInput, ALiveLineWaitsForTheRunningWaitAndABrokenInputEndsWithStatus1) {
  std::vector<int> ended;
  LiveScript live(*session, loop, notices, [&ended](int status) { ended.push_back(status); });
  live.lineArrived("wait 100");
  live.lineArrived("state");
  loop.advance(std::chrono::milliseconds(99));
  EXPECT_TRUE(events("state").empty());
  loop.advance(std::chrono::milliseconds(1));
  EXPECT_EQ(events("state").size(), 1u);
  live.inputEnded("Input/output error");
  EXPECT_EQ(ended, std::vector<int>{1});
  EXPECT_EQ(notices.said, std::vector<std::string>{"cannot read the script: Input/output error"});
}

// Stored settings hold valid UTF-8 only, so a remembered name with a stray byte comes back
// with U+FFFD in its place; the live name must read the same to be reconnected.
TEST_F(ScriptInput, AReceiverWhoseNameIsNotUtf8IsReconnected) {
  defaults.set("iphone", StringDictionary{{"name", "KIRO \xEF\xBF\xBD"}, {"uuid", kReceiverId}});
  EXPECT_EQ(run("receiver add \"KIRO \xFF\" --id " + std::string(kReceiverId) + "\nwait 3000\n"), 0);
  EXPECT_EQ(radio.receivers().front()->state(), PeripheralState::connected);
}

}  // namespace
}  // namespace kiro::app_test
