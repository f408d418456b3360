#include <gtest/gtest.h>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using States = std::vector<PeripheralState>;
constexpr auto disconnected = PeripheralState::disconnected;
constexpr auto connecting = PeripheralState::connecting;
constexpr auto connected = PeripheralState::connected;
constexpr auto disconnecting = PeripheralState::disconnecting;

class SimulatedConnection : public SimulatedRadioFixture {
 protected:
  SimulatedConnection() {
    radio.onReceiverStateChange = [this](const SimulatedReceiver& changed) { watched.push_back(changed.state()); };
  }
  // The central's end drops its links, which the watcher would hear after watched is gone.
  ~SimulatedConnection() override { radio.onReceiverStateChange = nullptr; }
  SimulatedReceiver& receiver = radio.addReceiver("Kiro-1");
  States watched;
};

TEST_F(SimulatedConnection, ConnectAndCancelWalkTheStatesWithTheirLatencies) {
  auto peripheral = find("Kiro-1");
  takeEvents();
  central->connectPeripheral(*peripheral, true);
  EXPECT_EQ(peripheral->state(), connecting);
  loop.advance(sim_latency::connection - 1ms);
  EXPECT_EQ(peripheral->state(), connecting);
  loop.advance(1ms);
  EXPECT_EQ(peripheral->state(), connected);
  EXPECT_EQ(receiver.state(), connected);

  central->cancelPeripheralConnection(*peripheral);
  EXPECT_EQ(peripheral->state(), disconnecting);
  loop.advance(sim_latency::disconnection - 1ms);
  EXPECT_EQ(peripheral->state(), disconnecting);
  loop.advance(1ms);
  EXPECT_EQ(peripheral->state(), disconnected);
  EXPECT_EQ(takeEvents(), (Strings{"30 connect Kiro-1", "40 disconnect Kiro-1"}));
  EXPECT_EQ(watched, (States{connecting, connected, disconnecting, disconnected}));
}

TEST_F(SimulatedConnection, RequestsThatDoNotApplyDoNothing) {
  auto peripheral = find("Kiro-1");
  RecordingDelegate otherRecorder{loop};
  auto other = radio.centralFactory()(otherRecorder);
  takeEvents();

  central->cancelPeripheralConnection(*peripheral);
  other->connectPeripheral(*peripheral, true);  // not a peripheral the other central handed out
  loop.advance(1s);
  EXPECT_EQ(peripheral->state(), disconnected);

  central->connectPeripheral(*peripheral, true);
  central->connectPeripheral(*peripheral, true);
  loop.advance(1s);
  central->cancelPeripheralConnection(*peripheral);
  central->cancelPeripheralConnection(*peripheral);
  loop.advance(1s);
  EXPECT_EQ(takeEvents(), (Strings{"1030 connect Kiro-1", "2020 disconnect Kiro-1"}));
}

TEST_F(SimulatedConnection, ANeverCompletingConnectStaysConnectingUntilCancelled) {
  auto peripheral = find("Kiro-1");
  takeEvents();
  receiver.setNextConnectionResponse(SimConnectionResponse::neverComplete);
  central->connectPeripheral(*peripheral, true);
  loop.advance(10s);
  EXPECT_EQ(peripheral->state(), connecting);
  central->cancelPeripheralConnection(*peripheral);
  EXPECT_EQ(peripheral->state(), disconnecting);
  loop.advance(sim_latency::disconnection);
  EXPECT_EQ(peripheral->state(), disconnected);
  EXPECT_EQ(takeEvents(), Strings{"10020 disconnect Kiro-1"});
  EXPECT_EQ(watched, (States{connecting, disconnecting, disconnected}));

  central->connectPeripheral(*peripheral, true);
  loop.advance(sim_latency::connection);
  EXPECT_EQ(peripheral->state(), connected) << "the response applies to one request only";
}

TEST_F(SimulatedConnection, AFailingConnectReturnsToDisconnectedAfterTheLatency) {
  auto peripheral = find("Kiro-1");
  takeEvents();
  receiver.setNextConnectionResponse(SimConnectionResponse::fail);
  central->connectPeripheral(*peripheral, true);
  loop.advance(sim_latency::connection - 1ms);
  EXPECT_EQ(peripheral->state(), connecting);
  loop.advance(1ms);
  EXPECT_EQ(peripheral->state(), disconnected);
  EXPECT_EQ(takeEvents(), Strings{"30 fail Kiro-1 error"});
  EXPECT_TRUE(receiver.advertising());

  central->connectPeripheral(*peripheral, true);
  loop.advance(sim_latency::connection);
  EXPECT_EQ(peripheral->state(), connected);
}

}  // namespace
}  // namespace kiro
