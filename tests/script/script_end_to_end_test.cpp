#include <gtest/gtest.h>

#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

using Lines = std::vector<std::string>;

class ScriptEndToEnd : public ScriptFixture {
 protected:
  // The written bytes in runs, such as "30x4": repeats of one frame every 25 ms.
  Lines writeRuns() const {
    Lines runs;
    std::string last;
    int count = 0;
    for (const auto& line : events("write")) {
      const auto at = line.find(R"("bytes":")") + 9;
      const std::string bytes = line.substr(at, line.find('"', at) - at);
      if (bytes != last && count > 0) runs.push_back(last + "x" + std::to_string(count));
      count = bytes == last ? count + 1 : 1;
      last = bytes;
    }
    if (count > 0) runs.push_back(last + "x" + std::to_string(count));
    return runs;
  }
};

TEST_F(ScriptEndToEnd, ScanPickHoldAndReleaseRThenReconnectAfterADrop) {
  const std::string id = kReceiverId;
  const std::string drive = "press R\nwait 100\nrelease R\nwait 1100\nreceiver drop " + id + "\nwait 500\nstate\n";
  EXPECT_EQ(run(connectScript() + drive), 0);
  EXPECT_EQ(errors.str(), "");

  const auto receiver = [&](const char* state) {
    return R"({"event":"receiver","receiver":")" + id + R"(","name":"KIRO 1","state":")" + state + "\"}";
  };
  const auto label = [](const char* text) { return std::string(R"({"event":"label","text":")") + text + "\"}"; };
  const auto lamp = [](const char* colour, bool lit) {
    return std::string(R"({"event":"lamp","lamp":")") + colour + R"(","lit":)" + (lit ? "true" : "false") + "}";
  };
  Lines seen;
  for (const auto& line : events())
    if (line.find(R"("event":"write")") == std::string::npos) seen.push_back(line);
  EXPECT_EQ(seen, (Lines{
                      receiver("disconnected"),
                      R"({"event":"screen","stack":["remote","devices"]})",
                      receiver("connecting"), label("connecting"),
                      receiver("connected"), label("connected"),
                      R"({"event":"screen","stack":["remote"]})",
                      // R held: shutter and focus acknowledged.
                      lamp("red", true), lamp("green", true),
                      // Released: the release completes, acknowledged for 85 ms.
                      lamp("blue", true), lamp("blue", false),
                      lamp("red", false), lamp("green", false),
                      // The link drops and the remote screen takes it up again.
                      receiver("disconnected"), label("disconnected"),
                      receiver("connecting"), label("connecting"),
                      receiver("connected"), label("connected"),
                      R"({"event":"state","stack":["remote"],"label":"connected",)"
                      R"("lamps":{"green":false,"blue":false,"red":false},"focus":false,"frame":"00000000",)"
                      R"("connectionFlag":1,"devices":[{"name":"KIRO 1","id":")" + id + R"(","status":"connected"}],)"
                      R"("remembered":{"name":"KIRO 1","uuid":")" + id + "\"}}",
                  }));
  // Shutter while held, one release notice until the receiver confirms it, then the acknowledge.
  EXPECT_EQ(writeRuns(), (Lines{"30x4", "40x1", "80x4"}));
}

}  // namespace
}  // namespace kiro::app_test
