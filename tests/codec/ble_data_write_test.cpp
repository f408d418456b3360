#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "codec/ble_data.h"
#include "tests/codec/codec_test_support.h"

namespace kiro {
namespace {

// A connected peripheral with a fixed service list that records what is written to it.
class FakePeripheral final : public Peripheral {
 public:
  struct Write {
    Bytes value;
    const Characteristic* characteristic;
    WriteType type;
  };

  // uuid: the service's UUID text; characteristics: (UUID text, properties) in list order.
  Service& addService(const std::string& uuid,
                      const std::vector<std::pair<std::string, std::uint32_t>>& characteristics) {
    auto service = std::make_shared<Service>(Service{*BleUuid::parse(uuid), true, {}, {}});
    for (const auto& [text, properties] : characteristics) {
      auto characteristic = std::make_shared<Characteristic>();
      characteristic->uuid = *BleUuid::parse(text);
      characteristic->properties = properties;
      characteristic->service = service.get();
      service->characteristics.push_back(characteristic);
    }
    services_.push_back(service);
    return *service;
  }

  const Characteristic* characteristic(std::size_t service, std::size_t index) const {
    return services_.at(service)->characteristics.at(index).get();
  }

  const Uuid& identifier() const override { return identifier_; }
  std::optional<std::string> name() const override { return "Kiro"; }
  PeripheralState state() const override { return PeripheralState::connected; }
  void setDelegate(PeripheralDelegate*) override {}
  const std::vector<std::shared_ptr<Service>>& services() const override { return services_; }
  void discoverServices() override {}
  void discoverCharacteristics(Service&) override {}
  void discoverIncludedServices(Service&) override {}
  void setNotifyValue(bool, Characteristic&) override {}
  void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) override {
    writes.push_back({value, &characteristic, type});
  }

  std::vector<Write> writes;

 private:
  Uuid identifier_;
  std::vector<std::shared_ptr<Service>> services_;
};

TEST(BleDataWriteStr, WritesWithResponseExactlyWhenTheWriteBitIsSet) {
  const struct {
    std::uint32_t properties;
    WriteType expected;
  } cases[] = {
      {property::write, WriteType::withResponse},
      {property::write | property::writeWithoutResponse | property::notify, WriteType::withResponse},
      {property::writeWithoutResponse, WriteType::withoutResponse},
      {property::read | property::notify, WriteType::withoutResponse},
  };
  for (const auto& c : cases) {
    test::LoggedPlatform logged;
    FakePeripheral peripheral;
    peripheral.addService("FFB0", {{"FFB1", property::write}, {"FFB2", c.properties}});
    bleData::writeStr({0x01, 0x10}, "FFB0", "FFB2", peripheral);
    ASSERT_EQ(peripheral.writes.size(), 1u);
    EXPECT_EQ(peripheral.writes[0].value, (Bytes{0x01, 0x10}));
    EXPECT_EQ(peripheral.writes[0].characteristic, peripheral.characteristic(0, 1));
    EXPECT_EQ(peripheral.writes[0].type, c.expected);
    EXPECT_EQ(logged.log.lines, std::vector<std::string>{"发送数据 <0110>"});
  }
}

TEST(BleDataWriteStr, TheLastMatchingCharacteristicIsWritten) {
  test::LoggedPlatform logged;
  FakePeripheral peripheral;
  peripheral.addService("FFB0", {{"FFB2", property::write}, {"FFB2", property::write}});
  peripheral.addService("180A", {{"FFB2", property::write}});
  peripheral.addService("FFB0", {{"FFB2", property::writeWithoutResponse}, {"FFB3", property::write}});
  bleData::writeStr({0xAA}, "FFB0", "FFB2", peripheral);
  ASSERT_EQ(peripheral.writes.size(), 1u);
  EXPECT_EQ(peripheral.writes[0].characteristic, peripheral.characteristic(2, 0));
  EXPECT_EQ(peripheral.writes[0].type, WriteType::withoutResponse);
}

TEST(BleDataWriteStr, MatchesTheFullFormOfA128BitUuid) {
  test::LoggedPlatform logged;
  FakePeripheral peripheral;
  peripheral.addService("6e400001-b5a3-f393-e0a9-e50e24dcca9e", {{"6e400002-b5a3-f393-e0a9-e50e24dcca9e", 0}});
  bleData::writeStr({}, "6E400001-B5A3-F393-E0A9-E50E24DCCA9E", "6E400002-B5A3-F393-E0A9-E50E24DCCA9E",
                    peripheral);
  ASSERT_EQ(peripheral.writes.size(), 1u);
  EXPECT_EQ(peripheral.writes[0].value, Bytes{});
}

TEST(BleDataWriteStr, WritesNothingAndSaysSoWithoutTheExactService) {
  const struct {
    const char* service;
    const char* characteristic;
  } misses[] = {
      {"ffb0", "FFB2"},  // the text is compared as written, upper case only
      {"FFB0", "ffb2"},
      {"FFB0", "FFB9"},
      {"FFB1", "FFB2"},
      {"0000FFB0-0000-1000-8000-00805F9B34FB", "FFB2"},
  };
  for (const auto& miss : misses) {
    test::LoggedPlatform logged;
    FakePeripheral peripheral;
    peripheral.addService("FFB0", {{"FFB2", property::write}});
    bleData::writeStr({0x01}, miss.service, miss.characteristic, peripheral);
    EXPECT_TRUE(peripheral.writes.empty()) << miss.service << " " << miss.characteristic;
    EXPECT_EQ(logged.log.lines, std::vector<std::string>{"没有发现服务"});
  }

  test::LoggedPlatform logged;
  FakePeripheral undiscovered;
  bleData::writeStr({0x01}, "FFB0", "FFB2", undiscovered);
  EXPECT_TRUE(undiscovered.writes.empty());
  EXPECT_EQ(logged.log.lines, std::vector<std::string>{"没有发现服务"});
}

}  // namespace
}  // namespace kiro
