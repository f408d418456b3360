#include <gtest/gtest.h>

#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

using Lines = std::vector<std::string>;

const std::string kId = kReceiverId;
const std::string kOther = "4B49524F-0000-4000-8000-000000000002";

std::string receiverLine(const std::string& id, const std::string& name, const std::string& state) {
  return R"({"event":"receiver","receiver":")" + id + R"(","name":")" + name + R"(","state":")" + state + "\"}";
}

struct WriteCase {
  std::string options;  // of receiver add
  std::string write;    // empty: no write reaches the receiver
  bool lamps;
  friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << (c.options.empty() ? "KIRO" : c.options); }
};

class ScriptWriteEvents : public ScriptFixture, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ScriptWriteEvents, CarryTheReceiverTheBytesAndTheWriteTypeAsTheReceiverIsMade) {
  EXPECT_EQ(run(connectScript(GetParam().options) + "press F\nwait 60\n"), 0);
  const std::string& write = GetParam().write;
  const Lines expected = write.empty() ? Lines{} : Lines{write, write};
  EXPECT_EQ(events("write"), expected);
  EXPECT_EQ(events("lamp").empty(), !GetParam().lamps);
}

const std::string kFocusWrite = R"({"event":"write","receiver":")" + kId + R"(","bytes":"10","withResponse":true})";

INSTANTIATE_TEST_SUITE_P(
    Script, ScriptWriteEvents,
    ::testing::Values(
        WriteCase{"", kFocusWrite, true},
        WriteCase{"--write-without-response",
                  R"({"event":"write","receiver":")" + kId + R"(","bytes":"10","withResponse":false})", true},
        WriteCase{"--silent", kFocusWrite, false}, WriteCase{"--no-ffb0", "", false}));

class ScriptEvents : public ScriptFixture {};

TEST_F(ScriptEvents, LampsLightAndGoGreyOnTheirOwnTimersWhileAboutIsInFront) {
  EXPECT_EQ(run(connectScript() + "tap help\nwait 400\nreceiver notify " + kId + " 0f\nwait 1100\n"), 0);
  const auto lamps = events("lamp", true);
  ASSERT_EQ(lamps.size(), 6u);
  const auto lit = lamps[0].substr(0, lamps[0].find(','));  // {"t":T
  const auto at = [&](int later) { return R"({"t":)" + std::to_string(std::stoi(lit.substr(5)) + later) + ","; };
  EXPECT_EQ(lamps, (Lines{at(0) + R"("event":"lamp","lamp":"blue","lit":true})",
                          at(0) + R"("event":"lamp","lamp":"red","lit":true})",
                          at(0) + R"("event":"lamp","lamp":"green","lit":true})",
                          at(85) + R"("event":"lamp","lamp":"blue","lit":false})",
                          at(1000) + R"("event":"lamp","lamp":"red","lit":false})",
                          at(1000) + R"("event":"lamp","lamp":"green","lit":false})"}));
}

TEST_F(ScriptEvents, TheLabelFollowsTheRememberedReceiver) {
  EXPECT_EQ(run(connectScript() + "radio off\nwait 500\n"), 0);
  EXPECT_EQ(events("label"), (Lines{R"({"event":"label","text":"connecting"})",
                                    R"({"event":"label","text":"connected"})",
                                    R"({"event":"label","text":"disconnected"})"}));
}

TEST_F(ScriptEvents, EveryChangeOfTheStackIsAScreenEvent) {
  EXPECT_EQ(run("tap search\nwait 10\ntap back\nwait 10\ntap help\nwait 500\ntap back\nwait 500\n"), 0);
  EXPECT_EQ(events("screen"), (Lines{R"({"event":"screen","stack":["remote","devices"]})",
                                     R"({"event":"screen","stack":["remote"]})",
                                     R"({"event":"screen","stack":["about","devices","remote"]})",
                                     R"({"event":"screen","stack":["about"]})",
                                     R"({"event":"screen","stack":["about","remote"]})"}));
}

TEST_F(ScriptEvents, AnAlertIsAnnouncedWhenItShowsAndDismissClosesIt) {
  EXPECT_EQ(run("receiver add \"KIRO 1\" --id " + kId + "\nreceiver add \"KIRO 2\" --id " + kOther +
                "\nwait 1100\ntap search\nwait 50\nselect 0\nwait 500\nselect 1\ndismiss\ndismiss\n"),
            2);
  EXPECT_EQ(events("alert"),
            Lines{R"({"event":"alert","title":"Can not connect","message":"A device has connected"})"});
  EXPECT_EQ(errors.str(), "script line 10: no alert is shown\n");
}

TEST_F(ScriptEvents, ReceiversAreAnnouncedWhenAddedAndAtEachChangeOfTheirLink) {
  EXPECT_EQ(run(connectScript() + "receiver gone " + kId + "\nreceiver add \"KIRO 9\" --no-name\nwait 10\n"), 0);
  EXPECT_EQ(events("receiver"), (Lines{receiverLine(kId, "KIRO 1", "disconnected"),
                                       receiverLine(kId, "KIRO 1", "connecting"),
                                       receiverLine(kId, "KIRO 1", "connected"),
                                       receiverLine(kId, "KIRO 1", "disconnected"),
                                       receiverLine(kId, "KIRO 1", "connecting"),
                                       receiverLine(kOther, "KIRO 9", "disconnected")}));
}

// Leaving the remote screen clears the frame but leaves F looking latched.
TEST_F(ScriptEvents, StateTellsTheWholeAppWhicheverScreenIsInFront) {
  EXPECT_EQ(run(connectScript() + "press F\nwait 60\ntap search\nwait 10\nstate\n"), 0);
  const std::string row = R"({"name":"KIRO 1","id":")" + kId + R"(","status":"connected"})";
  EXPECT_EQ(events("state"),
            Lines{R"({"event":"state","stack":["remote","devices"],"label":"connected",)"
                  R"("lamps":{"green":true,"blue":false,"red":false},"focus":true,"frame":"00000000",)"
                  R"("connectionFlag":0,"devices":[)" + row +
                  R"(],"remembered":{"name":"KIRO 1","uuid":")" + kId + "\"}}"});
}

TEST_F(ScriptEvents, LayoutGivesTheNamedFramesOfTheScreenInFront) {
  EXPECT_EQ(run("layout\ntap search\nwait 10\nlayout\n"), 0);
  const auto layouts = events("layout");
  ASSERT_EQ(layouts.size(), 2u);
  EXPECT_EQ(layouts[0].find(R"({"event":"layout","screen":"remote","W":320,"H":568,"frames":{"imageLamp01":[)"), 0u);
  for (const char* field : {"imageLamp02", "imageLamp03", "writeButton", "writeButton2", "testLabel"})
    EXPECT_NE(layouts[0].find('"' + std::string(field) + "\":["), std::string::npos) << field;
  EXPECT_EQ(layouts[1].find(R"({"event":"layout","screen":"devices","W":320,"H":568,"frames":{"tabel":[)"), 0u);
}

}  // namespace
}  // namespace kiro::app_test
