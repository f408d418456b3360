#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

using Lines = std::vector<std::string>;

const std::string kOther = "4B49524F-0000-4000-8000-000000000002";

struct WriteCase {
  std::string options;  // of receiver add
  bool withResponse;
  bool written;
  bool lamps;
  friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << (c.options.empty() ? "KIRO" : c.options); }
};

class ScriptWriteEvents : public ScriptFixture, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ScriptWriteEvents, CarryTheReceiverTheBytesAndTheWriteTypeAsTheReceiverIsMade) {
  EXPECT_EQ(run(connectScript(GetParam().options) + "press F\nwait 60\n"), 0);
  const std::string write = R"({"event":"write","receiver":")" + kReceiverId + R"(","bytes":"10","withResponse":)" +
                            (GetParam().withResponse ? "true}" : "false}");
  EXPECT_EQ(events("write"), GetParam().written ? (Lines{write, write}) : Lines{});
  EXPECT_EQ(events("lamp").empty(), !GetParam().lamps);
}

INSTANTIATE_TEST_SUITE_P(Script, ScriptWriteEvents,
                         ::testing::Values(WriteCase{"", true, true, true},
                                           WriteCase{"--write-without-response", false, true, true},
                                           WriteCase{"--silent", true, true, false},
                                           WriteCase{"--no-ffb0", true, false, false}));

class ScriptEvents : public ScriptFixture {};

TEST_F(ScriptEvents, AnAlertIsAnnouncedWhenItShowsAndDismissClosesIt) {
  EXPECT_EQ(run("receiver add \"KIRO 1\" --id " + kReceiverId + "\nreceiver add \"KIRO 2\" --id " + kOther +
                "\nwait 1100\ntap search\nwait 50\nselect 0\nwait 500\nselect 1\ndismiss\ndismiss\n"),
            2);
  EXPECT_EQ(events("alert"),
            Lines{R"({"event":"alert","title":"Can not connect","message":"A device has connected"})"});
  EXPECT_EQ(errors.str(), "script line 10: no alert is shown\n");
}

TEST_F(ScriptEvents, AReceiverGoneOutOfRangeIsAnnouncedAndSoughtAgain) {
  EXPECT_EQ(run(connectScript() + "receiver gone " + kReceiverId + "\nwait 10\n"), 0);
  const auto line = [](const char* state) {
    return R"({"event":"receiver","receiver":")" + kReceiverId + R"(","name":"KIRO 1","state":")" + state + "\"}";
  };
  EXPECT_EQ(events("receiver"), (Lines{line("disconnected"), line("connecting"), line("connected"),
                                       line("disconnected"), line("connecting")}));
}

}  // namespace
}  // namespace kiro::app_test
