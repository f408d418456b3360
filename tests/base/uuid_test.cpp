#include "base/uuid.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(BleUuid, AShortFormEqualsItsFullFormAndKeepsItsLength) {
  const BleUuid shortForm = *BleUuid::parse("ffb0");
  EXPECT_EQ(shortForm, *BleUuid::parse("0000FFB0-0000-1000-8000-00805f9b34fb"));
  EXPECT_EQ(shortForm, BleUuid::from16(0xFFB0));
  EXPECT_NE(shortForm, *BleUuid::parse("FFB2"));
  EXPECT_EQ(shortForm.UUIDString(), "FFB0");
  EXPECT_EQ(BleUuid::parse("12345678")->data(), (Bytes{0x12, 0x34, 0x56, 0x78}));
  EXPECT_EQ(BleUuid::parse("6e400001-b5a3-f393-e0a9-e50e24dcca9e")->UUIDString(),
            "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
}

// The remembered receiver's record matches only the text the app wrote there itself.
TEST(Uuid, IsWrittenAsOnlyItsOwnText) {
  const Uuid uuid = *Uuid::parse("6e400001-b5a3-f393-e0a9-e50e24dcca9e");
  EXPECT_TRUE(uuid.isWrittenAs("6E400001-B5A3-F393-E0A9-E50E24DCCA9E"));
  for (const char* text : {"6e400001-b5a3-f393-e0a9-e50e24dcca9e", "6E400001-B5A3-F393-E0A9-E50E24DCCA9", "",
                           "6E400001-B5A3-F393-E0A9-E50E24DCCA9E0", "6E400001-B5A3-F393-E0A9-E50E24DCCA9F"})
    EXPECT_FALSE(uuid.isWrittenAs(text)) << text;
}

TEST(BleUuid, RejectsMalformedText) {
  for (const char* text : {"", "FFB", "GGGG", "0000ffb0-0000-1000-8000-00805f9b34f",
                           "0000ffb0+0000-1000-8000-00805f9b34fb", "0000ffb0-0000-1000-8000-00805f9b34fx"})
    EXPECT_EQ(BleUuid::parse(text), std::nullopt) << text;
}

}  // namespace
}  // namespace kiro
