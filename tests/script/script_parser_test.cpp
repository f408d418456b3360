#include <gtest/gtest.h>

#include "script/script_parser.h"

namespace kiro {
namespace {

constexpr const char* kId = "4B49524F-0000-4000-8000-00000000000A";

TEST(ScriptParser, QuotesHoldSpacesCommentsEndTheLineAndBlankLinesAreSkipped) {
  const auto add = parseScriptLine("receiver  add \"MY KIRO\"\t--silent # the quiet one \"unclosed");
  ASSERT_FALSE(add.error) << *add.error;
  const auto* command = std::get_if<script::AddReceiver>(&*add.command);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->name, "MY KIRO");
  EXPECT_TRUE(command->silent);

  for (const char* blank : {"", "   ", "# a comment", "  \t# indented\r"}) {
    const auto parsed = parseScriptLine(blank);
    EXPECT_FALSE(parsed.command || parsed.error) << blank;
  }
  const auto wait = parseScriptLine("wait 25\r");  // a script saved with CR LF
  ASSERT_TRUE(wait.command);
  EXPECT_EQ(std::get<script::Wait>(*wait.command).duration, Millis{25});
}

TEST(ScriptParser, ReceiverOptionsAndNotifiedBytesAreRead) {
  const auto add = parseScriptLine(std::string("receiver add K --no-ffb0 --id ") + kId +
                                   " --write-without-response --no-name");
  ASSERT_TRUE(add.command) << add.error.value_or("");
  const auto& options = std::get<script::AddReceiver>(*add.command);
  EXPECT_EQ(options.identifier, Uuid::parse(kId));
  EXPECT_TRUE(options.noCommandService && options.writeWithoutResponse && options.noName);
  EXPECT_FALSE(options.silent);

  const auto notify = parseScriptLine(std::string("receiver notify ") + kId + " 01fF");
  ASSERT_TRUE(notify.command) << notify.error.value_or("");
  EXPECT_EQ(std::get<script::ReceiverAction>(*notify.command).bytes, (Bytes{0x01, 0xFF}));
}

TEST(ScriptParser, EveryMalformedLineIsAnErrorWithoutACommand) {
  const std::string id = kId;
  for (const std::string& line : {
           std::string("receiver add \"KIRO"), std::string("receiver add \"A\"B"), std::string("press F\"x"),
           std::string("jump"), std::string("wait"), std::string("wait -5"), std::string("wait 1.5"),
           std::string("wait 99999999999"), std::string("wait 10 20"), std::string("press Q"),
           std::string("release f"), std::string("release-outside F"), std::string("tap menu"),
           std::string("select"), std::string("select -1"), std::string("select x"), std::string("state now"),
           std::string("dismiss all"), std::string("snapshot"), std::string("receiver"), std::string("receiver add"),
           std::string("receiver add --silent"), std::string("receiver add K --loud"),
           std::string("receiver add K --id"), std::string("receiver add K --id nope"), "receiver notify " + id,
           "receiver notify " + id + " 010", "receiver notify " + id + " 0g", "receiver notify " + id + " +1",
           std::string("receiver drop nope"), "receiver gone " + id + " now", std::string("receiver wave"),
           std::string("radio maybe"), std::string("quit now")}) {
    const auto parsed = parseScriptLine(line);
    EXPECT_TRUE(parsed.error && !parsed.error->empty() && !parsed.command) << line;
  }
}

}  // namespace
}  // namespace kiro
