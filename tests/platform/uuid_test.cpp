#include "platform/uuid.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(BleUuid, ShortFormEqualsItsFullFormByValue) {
  auto shortForm = BleUuid::parse("FFB0");
  auto fullForm = BleUuid::parse("0000ffb0-0000-1000-8000-00805f9b34fb");
  ASSERT_TRUE(shortForm && fullForm);
  EXPECT_EQ(*shortForm, *fullForm);
  EXPECT_EQ(*shortForm, BleUuid::from16(0xFFB0));
  EXPECT_NE(*shortForm, *BleUuid::parse("FFB2"));
  EXPECT_EQ(*BleUuid::parse("ffb0"), *shortForm);
}

TEST(BleUuid, DataAndTextKeepTheGivenLength) {
  auto shortForm = *BleUuid::parse("FFB0");
  EXPECT_EQ(shortForm.data(), (Bytes{0xFF, 0xB0}));
  EXPECT_EQ(shortForm.UUIDString(), "FFB0");
  auto fullForm = *BleUuid::parse("0000ffb0-0000-1000-8000-00805f9b34fb");
  EXPECT_EQ(fullForm.data().size(), 16u);
  EXPECT_EQ(fullForm.UUIDString(), "0000FFB0-0000-1000-8000-00805F9B34FB");
  EXPECT_EQ(BleUuid::parse("12345678")->data(), (Bytes{0x12, 0x34, 0x56, 0x78}));
}

TEST(BleUuid, RejectsMalformedText) {
  for (const char* text : {"", "FFB", "FFB0F", "GGGG", "0000ffb0-0000-1000-8000-00805f9b34f",
                           "0000ffb0+0000-1000-8000-00805f9b34fb", "0000ffb0-0000-1000-8000-00805f9b34fx"}) {
    EXPECT_EQ(BleUuid::parse(text), std::nullopt) << text;
  }
}

TEST(Uuid, RoundTripsItsUpperCaseText) {
  auto id = Uuid::parse("6e400001-b5a3-f393-e0a9-e50e24dcca9e");
  ASSERT_TRUE(id);
  EXPECT_EQ(id->UUIDString(), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
  EXPECT_EQ(Uuid::parse(id->UUIDString()), id);
}

}  // namespace
}  // namespace kiro
