#include <gtest/gtest.h>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// A demo receiver, connected, with "FFB1" subscribed so that each feedback byte shows once.
class SimulatedDemo : public SimulatedRadioFixture {
 protected:
  void SetUp() override {
    SimulatedReceiver::Options options;
    options.advertisedName = "Kiro-demo";
    options.demoFeedback = true;
    receiver = &radio.addReceiver(options);
    peripheral = connectTo("Kiro-demo");
    ffb2 = discoverAll(*peripheral, "FFB2");
    auto ffb1 = discoverAll(*peripheral, "FFB1");
    peripheral->setNotifyValue(true, *ffb1);
    loop.advance(sim_latency::notificationState);
    loop.runUntil(1000ms);
    takeEvents();
  }

  // command: written without response now; the feedback events of the next second.
  Strings answer(std::uint8_t command) {
    peripheral->writeValue({command}, *ffb2, WriteType::withoutResponse);
    loop.advance(1s);
    return takeEvents();
  }

  SimulatedReceiver* receiver = nullptr;
  std::shared_ptr<Peripheral> peripheral;
  std::shared_ptr<Characteristic> ffb2;
};

TEST_F(SimulatedDemo, AnswersEachCommandBitAfterTheFeedbackLatency) {
  EXPECT_EQ(answer(0x10), Strings{"1015 value FFB1 01"});
  EXPECT_EQ(answer(0x30), Strings{"2015 value FFB1 03"});
  EXPECT_EQ(answer(0x80), Strings{});
  EXPECT_EQ(answer(0x00), Strings{});
  EXPECT_EQ(answer(0x40), (Strings{"5015 value FFB1 04", "5150 value FFB1 08"}));
  EXPECT_EQ(answer(0x70), (Strings{"6015 value FFB1 07"})) << "the release notice goes on: no second completion";
}

TEST_F(SimulatedDemo, ReleaseCompletedFollowsOncePerReleaseNotice) {
  peripheral->writeValue({0x40}, *ffb2, WriteType::withoutResponse);
  loop.advance(25ms);
  peripheral->writeValue({0x40}, *ffb2, WriteType::withoutResponse);
  loop.advance(25ms);
  peripheral->writeValue({0x80}, *ffb2, WriteType::withoutResponse);
  loop.advance(25ms);
  peripheral->writeValue({0x40}, *ffb2, WriteType::withResponse);
  loop.advance(1s);
  Strings completed;
  for (const auto& event : takeEvents()) {
    if (event.ends_with(" 08")) completed.push_back(event);
  }
  EXPECT_EQ(completed, (Strings{"1150 value FFB1 08", "1225 value FFB1 08"}));
}

TEST_F(SimulatedDemo, CanBeSwitchedOff) {
  receiver->setDemoFeedback(false);
  EXPECT_EQ(answer(0x10), Strings{});
}

}  // namespace
}  // namespace kiro
