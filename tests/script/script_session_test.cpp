#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

const std::string kAdd = "receiver add \"KIRO 1\" --id " + kReceiverId + "\n";

struct BadLine {
  std::string script;
  std::string error;
  // Names the case in test listings by its message.
  friend void PrintTo(const BadLine& line, std::ostream* out) { *out << line.error.substr(0, line.error.size() - 1); }
};

class ScriptBadLine : public ScriptFixture, public ::testing::WithParamInterface<BadLine> {};

// The line after the bad one is a state command: it must not run either.
TEST_P(ScriptBadLine, EndsTheRunWithStatus2NamingTheLineBeforeItsCommandRuns) {
  EXPECT_EQ(run(GetParam().script + "state\n"), 2);
  EXPECT_EQ(errors.str(), GetParam().error);
  EXPECT_TRUE(events("state").size() <= 1);
  EXPECT_TRUE(radio.receivers().size() <= 1);
}

INSTANTIATE_TEST_SUITE_P(
    Script, ScriptBadLine,
    ::testing::Values(
        BadLine{"state\n\n# fine so far\nfrobnicate now\n", "script line 4: unknown command frobnicate\n"},
        BadLine{"tap search\nwait 10\npress F\n", "script line 3: the devices screen in front has no F button\n"},
        BadLine{"tap help\nwait 500\nselect 0\n", "script line 3: the about screen in front has no device list\n"},
        BadLine{kAdd + "wait 1100\ntap search\nwait 50\nselect 1\n",
                "script line 5: the device list has no row 1 (it has 1)\n"},
        BadLine{"receiver drop " + kReceiverId + "\n", "script line 1: no receiver " + kReceiverId + "\n"},
        BadLine{kAdd + kAdd, "script line 2: a receiver " + kReceiverId + " exists already\n"},
        BadLine{"snapshot front.png\n", "script line 1: snapshot needs the window\n"}));

class ScriptRun : public ScriptFixture {};

// With R held, too: the shutter goes with its release notice before the app ends.
TEST_F(ScriptRun, QuitTerminatesTheAppOnceAndIgnoresTheRest) {
  EXPECT_EQ(run(connectScript() + "press R\nwait 100\nstate\nquit\nfrobnicate\n"), 0);
  EXPECT_EQ(errors.str(), "");
  const auto writes = events("write");
  ASSERT_FALSE(writes.empty());
  EXPECT_NE(writes.back().find("\"bytes\":\"40\""), std::string::npos) << writes.back();
  EXPECT_TRUE(std::filesystem::is_regular_file(documents / "Tavrel.sqlite"));
  std::istringstream more("state\n");
  EXPECT_EQ(session->next(more).exitStatus, 0);
  EXPECT_EQ(events("state").size(), 1u);
}

}  // namespace
}  // namespace kiro::app_test
