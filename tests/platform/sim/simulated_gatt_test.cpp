#include <gtest/gtest.h>

#include "tests/platform/sim/recording_delegate.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

BleUuid uuid16(std::uint16_t value) { return BleUuid::from16(value); }

using SimulatedGatt = SimulatedRadioFixture;
using SimulatedSubscription = SimulatedRadioFixture;

TEST_F(SimulatedGatt, ServicesAndCharacteristicsAppearOnlyOnceDiscovered) {
  radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  takeEvents();
  EXPECT_TRUE(peripheral->services().empty());
  peripheral->discoverServices();
  loop.advance(sim_latency::discovery - 1ms);
  EXPECT_TRUE(peripheral->services().empty());
  loop.advance(1ms);
  ASSERT_EQ(peripheral->services().size(), 1u);
  auto service = peripheral->services()[0];
  EXPECT_EQ(service->uuid, uuid16(0xFFB0));
  EXPECT_TRUE(service->characteristics.empty());

  peripheral->discoverCharacteristics(*service);
  peripheral->discoverIncludedServices(*service);
  loop.advance(sim_latency::discovery);
  ASSERT_EQ(service->characteristics.size(), 2u);
  const auto& ffb2 = *service->characteristics[0];
  const auto& ffb1 = *service->characteristics[1];
  EXPECT_EQ(ffb2.uuid, uuid16(0xFFB2));
  EXPECT_EQ(ffb2.properties, property::write | property::writeWithoutResponse | property::notify);
  EXPECT_EQ(ffb1.uuid, uuid16(0xFFB1));
  EXPECT_EQ(ffb1.properties, property::notify);
  EXPECT_EQ(ffb2.service, service.get());
  EXPECT_TRUE(service->includedServices.empty());
  EXPECT_EQ(takeEvents(), (Strings{"35 services", "40 characteristics FFB0", "40 included FFB0"}));
}

TEST_F(SimulatedGatt, EachConnectionHasNewObjectsAndADisconnectEmptiesTheServices) {
  radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  auto firstFfb2 = discoverAll(*peripheral, "FFB2");
  central->cancelPeripheralConnection(*peripheral);
  loop.advance(sim_latency::disconnection);
  EXPECT_TRUE(peripheral->services().empty());

  central->connectPeripheral(*peripheral, true);
  loop.advance(sim_latency::connection);
  EXPECT_TRUE(peripheral->services().empty()) << "nothing is known before discovery";
  auto secondFfb2 = discoverAll(*peripheral, "FFB2");
  EXPECT_NE(secondFfb2, firstFfb2);

  // Objects of the ended connection are ignored rather than answered.
  takeEvents();
  peripheral->discoverCharacteristics(*firstFfb2->service);
  peripheral->setNotifyValue(true, *firstFfb2);
  peripheral->writeValue({0x10}, *firstFfb2, WriteType::withResponse);
  loop.advance(1s);
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_TRUE(radio.receivers()[0]->writes().empty());
}

TEST_F(SimulatedSubscription, AnswersAfterTheLatencyAndRefusesWhatCannotNotify) {
  SimulatedReceiver::Options options;
  options.advertisedName = "Kiro-1";
  options.gatt = {{uuid16(0xFFB0),
                   {{uuid16(0x0001), property::notify}, {uuid16(0x0002), property::indicate},
                    {uuid16(0x0003), property::read | property::write}},
                   {}}};
  radio.addReceiver(options);
  auto peripheral = connectTo("Kiro-1");
  discoverAll(*peripheral, "0001");
  takeEvents();
  const auto& characteristics = peripheral->services()[0]->characteristics;
  for (const auto& characteristic : characteristics) peripheral->setNotifyValue(true, *characteristic);
  loop.advance(sim_latency::notificationState - 1ms);
  EXPECT_FALSE(characteristics[0]->isNotifying);
  loop.advance(1ms);
  EXPECT_EQ(takeEvents(), (Strings{"45 notifying 0001 on", "45 notifying 0002 on", "45 notifying 0003 off error"}));

  peripheral->setNotifyValue(false, *characteristics[0]);
  loop.advance(sim_latency::notificationState);
  EXPECT_FALSE(characteristics[0]->isNotifying);
}

TEST_F(SimulatedSubscription, ANotificationReachesEverySubscribedCharacteristicAtOnce) {
  auto& receiver = radio.addReceiver("Kiro-1");
  auto peripheral = connectTo("Kiro-1");
  auto ffb2 = discoverAll(*peripheral, "FFB2");
  receiver.simulateNotification({0x01});
  EXPECT_FALSE(ffb2->value) << "nothing is subscribed yet";

  peripheral->setNotifyValue(true, *ffb2);
  loop.advance(sim_latency::notificationState);
  takeEvents();
  receiver.simulateNotification({0x01, 0x08});
  receiver.simulateNotification({});
  EXPECT_EQ(takeEvents(), (Strings{"45 value FFB2 0108", "45 value FFB2 "}));
  EXPECT_EQ(ffb2->value, Bytes{});

  central->cancelPeripheralConnection(*peripheral);
  loop.advance(sim_latency::disconnection);
  takeEvents();
  receiver.simulateNotification({0x02});
  EXPECT_TRUE(recorder.events.empty());
}

}  // namespace
}  // namespace kiro
