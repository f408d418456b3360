#include <gtest/gtest.h>

#include "platform/sim/simulated_central.h"
#include "platform/sim/virtual_run_loop.h"
#include "tests/platform/sim/central_contract.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

// The simulated radio on the virtual clock.
class SimulatedHarness final : public CentralHarness {
 public:
  Central& central() override { return *central_; }
  void addReceiver(const std::string& name) override {
    radio->addReceiver(name.empty() ? std::nullopt : std::optional<std::string>(name));
  }
  void advertiseAgain(const std::string& name) override {
    receiver(name).simulateOutOfRange();
    receiver(name).simulateBackInRange();
  }
  void respondToConnect(const std::string& name, SimConnectionResponse response) override {
    receiver(name).setNextConnectionResponse(response);
  }
  void dropLink(const std::string& name) override { receiver(name).simulateDisconnection(); }
  void notify(const std::string& name, const Bytes& bytes) override { receiver(name).simulateNotification(bytes); }
  void setPowered(bool on) override { radio->setPowered(on); }
  std::vector<ReceivedWrite> writes(const std::string& name) override {
    std::vector<ReceivedWrite> writes;
    for (const auto& write : receiver(name).writes()) writes.push_back({write.bytes, write.type});
    return writes;
  }
  bool runUntil(const std::function<bool()>& done) override {
    for (const Millis bound = loop.now() + 60s; !done(); loop.advance(1ms)) {
      if (loop.now() > bound) return false;
    }
    return true;
  }
  void settle() override { loop.advance(1s); }

  SimulatedReceiver& receiver(const std::string& name) {
    for (const auto& each : radio->receivers()) {
      if (each->options().advertisedName.value_or("") == name) return *each;
    }
    throw std::invalid_argument("no receiver " + name);
  }

  VirtualRunLoop loop;
  std::optional<SimulatedRadio> radio{std::in_place, loop};
  std::unique_ptr<Central> central_ = radio->centralFactory()(recorder);
};

const CentralBackend simulated{"simulated", [] { return std::unique_ptr<CentralHarness>(new SimulatedHarness); }};
INSTANTIATE_TEST_SUITE_P(Simulated, CentralContract, ::testing::Values(simulated));

// What only the simulator has: other tables, and a central or a radio that goes first.
class SimulatedOnly : public CentralContract {
 protected:
  SimulatedHarness& sim = static_cast<SimulatedHarness&>(*harness);
};
INSTANTIATE_TEST_SUITE_P(Simulated, SimulatedOnly, ::testing::Values(simulated));

TEST_P(SimulatedOnly, AnotherTableListsIncludedServicesAndItsPropertiesDecideSubscriptionsAndWrites) {
  const auto uuid = [](std::uint16_t value) { return BleUuid::from16(value); };
  SimulatedReceiver::Options options;
  options.advertisedName = "Other";
  options.gatt = {{uuid(0x1800),
                   {{uuid(0x0001), property::indicate}, {uuid(0x0002), property::write},
                    {uuid(0x0003), property::writeWithoutResponse}},
                   {{uuid(0x1801), {}, {}}}}};
  ASSERT_TRUE(sim.radio->addReceiver(options).ok());
  auto other = connect("Other");
  discover(*other, 0x0001);
  auto service = other->services()[0];
  other->discoverIncludedServices(*service);
  until("included 1800");
  ASSERT_EQ(service->includedServices.size(), 1u);
  EXPECT_EQ(service->includedServices[0]->uuid, uuid(0x1801));
  EXPECT_FALSE(service->includedServices[0]->isPrimary);

  for (const auto& characteristic : service->characteristics) other->setNotifyValue(true, *characteristic);
  EXPECT_EQ(until("notifying 0003 off error"),
            (Events{"notifying 0001 on", "notifying 0002 off error", "notifying 0003 off error"}));
  for (const auto& characteristic : service->characteristics) {
    other->writeValue({0x01}, *characteristic, WriteType::withResponse);
    other->writeValue({0x02}, *characteristic, WriteType::withoutResponse);
  }
  harness->settle();
  EXPECT_EQ(recorder.take(), (Events{"written 0001 error", "written 0002", "written 0003 error"}));
  EXPECT_EQ(harness->writes("Other"),
            (std::vector<ReceivedWrite>{{{0x01}, WriteType::withResponse}, {{0x02}, WriteType::withoutResponse}}));
}

// Hours of pump frames: the receiver keeps the newest writes and lets the oldest go.
TEST_P(SimulatedOnly, AReceiverKeepsTheNewestWritesNotEveryOne) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  const std::size_t sent = 2 * SimulatedReceiver::kKeptWrites + 1;
  for (std::size_t i = 0; i < sent; ++i)
    kiro->writeValue({static_cast<std::uint8_t>(i)}, *ffb2, WriteType::withoutResponse);
  const auto& kept = sim.receiver("Kiro-1").writes();
  EXPECT_LT(kept.size(), sent);
  EXPECT_GE(kept.size(), SimulatedReceiver::kKeptWrites);
  EXPECT_EQ(kept.back().bytes, Bytes{static_cast<std::uint8_t>(sent - 1)});
}

TEST_P(SimulatedOnly, ACentralGoneWithCallbacksPendingReportsNothingAndFreesItsReceivers) {
  harness->addReceiver("Kiro-1");
  harness->addReceiver("Kiro-2");
  auto stalled = find("Kiro-2");
  auto kiro = connect("Kiro-1");
  auto ffb2 = discover(*kiro, 0xFFB2);
  central.scanForPeripherals(true);
  central.connectPeripheral(*stalled, true);
  kiro->discoverServices();
  kiro->writeValue({0x10}, *ffb2, WriteType::withResponse);
  sim.central_.reset();
  kiro->writeValue({0x20}, *ffb2, WriteType::withResponse);
  sim.receiver("Kiro-1").simulateNotification({0x01});
  harness->settle();
  EXPECT_EQ(recorder.take(), Events{});
  EXPECT_EQ(harness->writes("Kiro-1").size(), 1u);
  EXPECT_EQ(sim.receiver("Kiro-1").state(), PeripheralState::disconnected);
  EXPECT_EQ(sim.receiver("Kiro-2").state(), PeripheralState::disconnected);
  EXPECT_TRUE(sim.receiver("Kiro-1").advertising());
}

TEST_P(SimulatedOnly, ARadioGoneBeforeItsCentralLeavesEveryPeripheralDisconnected) {
  harness->addReceiver("Kiro-1");
  auto kiro = connect("Kiro-1");
  discover(*kiro, 0xFFB2);
  sim.radio.reset();
  EXPECT_EQ(central.state(), CentralState::poweredOff);
  EXPECT_EQ(kiro->state(), PeripheralState::disconnected);
  EXPECT_TRUE(kiro->services().empty());
}

}  // namespace
}  // namespace kiro
