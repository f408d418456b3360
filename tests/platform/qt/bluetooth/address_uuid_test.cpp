#include "platform/qt/bluetooth/address_uuid.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

// The remembered receiver is matched on this identifier across runs and machines, so
// its value must never change: these are version-5 UUIDs computed independently.
TEST(AddressUuid, IsAFixedNameBasedUuidOfTheAddressInEitherCase) {
  const Uuid kiro = addressUuid(QStringLiteral("AA:BB:CC:DD:EE:01"));
  EXPECT_EQ(kiro.UUIDString(), "CFE741F6-E204-5978-92F6-2963EE0B274C");
  EXPECT_EQ(addressUuid(QStringLiteral("aa:bb:cc:dd:ee:01")), kiro);
  EXPECT_EQ(addressUuid(QStringLiteral("AA:BB:CC:DD:EE:02")).UUIDString(), "26032135-D513-5BCE-AC27-D1E98E96C1B4");
}

}  // namespace
}  // namespace kiro
