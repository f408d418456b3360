#include "base/write_coalescer.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(WriteCoalescer, OnlyTheLatestFrameWaitsBehindTheOneInFlight) {
  WriteCoalescer coalescer;
  EXPECT_EQ(coalescer.complete(), std::nullopt);  // an answer with nothing in flight starts nothing
  EXPECT_EQ(coalescer.submit({0x10}), Bytes{0x10});
  EXPECT_EQ(coalescer.submit({0x20}), std::nullopt);
  EXPECT_EQ(coalescer.submit({0x30}), std::nullopt);
  EXPECT_EQ(coalescer.pending(), 2);
  EXPECT_EQ(coalescer.complete(), Bytes{0x30});
  EXPECT_EQ(coalescer.complete(), std::nullopt);
  EXPECT_EQ(coalescer.pending(), 0);
  EXPECT_EQ(coalescer.submit({0x40}), Bytes{0x40});
}

}  // namespace
}  // namespace kiro
