#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "codec/ble_data.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

// A connected peripheral with a fixed service list that records what is written to it.
struct FakePeripheral final : Peripheral {
  // uuid: the service's UUID text; characteristics: (UUID text, properties) in list order.
  void addService(const std::string& uuid, const std::vector<std::pair<std::string, std::uint32_t>>& characteristics) {
    auto service = std::make_shared<Service>(Service{*BleUuid::parse(uuid), true, {}, {}});
    for (const auto& [text, properties] : characteristics)
      service->characteristics.push_back(std::make_shared<Characteristic>(
          Characteristic{*BleUuid::parse(text), properties, {}, false, service.get()}));
    listed.push_back(service);
  }
  const Uuid& identifier() const override { return id; }
  std::optional<std::string> name() const override { return std::nullopt; }
  PeripheralState state() const override { return PeripheralState::connected; }
  void setDelegate(PeripheralDelegate*) override {}
  const std::vector<std::shared_ptr<Service>>& services() const override { return listed; }
  void discoverServices() override {}
  void discoverCharacteristics(Service&) override {}
  void discoverIncludedServices(Service&) override {}
  void setNotifyValue(bool, Characteristic&) override {}
  void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) override {
    writes.emplace_back(value, &characteristic, type);
  }

  Uuid id;
  std::vector<std::shared_ptr<Service>> listed;
  std::vector<std::tuple<Bytes, const Characteristic*, WriteType>> writes;
};

// The last characteristic with the exact UUID text in a service with the exact UUID text is
// written, with response exactly when it has the write property; without one nothing is.
TEST(BleDataWriteStr, WritesTheLastMatchOfTheExactTextsWithTheTypeItsWriteBitSays) {
  const std::tuple<std::uint32_t, std::uint32_t, WriteType> cases[] = {
      {property::write | property::notify, property::writeWithoutResponse, WriteType::withResponse},
      {property::writeWithoutResponse, property::write, WriteType::withoutResponse}};
  for (const auto& [last, others, type] : cases) {
    test::LoggedPlatform logged;
    FakePeripheral peripheral;
    peripheral.addService("FFB0", {{"FFB2", others}, {"FFB2", others}});
    peripheral.addService("180A", {{"FFB2", others}});
    peripheral.addService("FFB0", {{"FFB2", last}, {"FFB3", others}});
    bleData::writeStr({0x01, 0x10}, "FFB0", "FFB2", peripheral);
    bleData::writeStr({0x02}, "ffb0", "FFB2", peripheral);
    bleData::writeStr({0x02}, "FFB0", "FFB9", peripheral);
    const Characteristic* written = peripheral.listed[2]->characteristics[0].get();
    EXPECT_EQ(peripheral.writes, (std::vector{std::tuple{Bytes{0x01, 0x10}, written, type}}));
    EXPECT_EQ(logged.log.lines, (std::vector<std::string>{"发送数据 <0110>", "没有发现服务", "没有发现服务"}));
  }
}

}  // namespace
}  // namespace kiro
