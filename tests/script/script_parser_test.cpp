#include <gtest/gtest.h>

#include <regex>

#include "script/script_parser.h"

namespace kiro {
namespace {

constexpr const char* kId = "4B49524F-0000-4000-8000-00000000000A";

// Receiver options are checked by what they do, in the script event tests.
TEST(ScriptParser, NotifiedBytesAreReadAsPairsOfHexDigits) {
  const auto notify = parseScriptLine(std::string("receiver notify ") + kId + " 01fF");
  ASSERT_TRUE(notify.command) << notify.error.value_or("");
  EXPECT_EQ(std::get<script::ReceiverAction>(*notify.command).bytes, (Bytes{0x01, 0xFF}));
}

TEST(ScriptParser, EveryMalformedLineIsAnErrorWithoutACommand) {
  for (const std::string line :
       {"receiver add \"KIRO", "receiver add \"A\"B", "press F\"x", "jump", "wait", "wait -5", "wait 1.5",
        "wait 99999999999", "wait 10 20", "press Q", "release f", "release-outside F", "tap menu", "select",
        "select -1", "select x", "state now", "dismiss all", "snapshot", "receiver", "receiver add",
        "receiver add --silent", "receiver add K --loud", "receiver add K --id", "receiver add K --id nope",
        "receiver notify ID", "receiver notify ID 010", "receiver notify ID 0g", "receiver notify ID +1",
        "receiver drop nope", "receiver gone ID now", "receiver wave", "radio maybe", "quit now"}) {
    const auto parsed = parseScriptLine(std::regex_replace(line, std::regex("ID"), kId));
    EXPECT_TRUE(parsed.error && !parsed.error->empty() && !parsed.command) << line;
  }
}

}  // namespace
}  // namespace kiro
