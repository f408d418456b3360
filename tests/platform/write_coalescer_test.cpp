#include "platform/write_coalescer.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(WriteCoalescer, OnlyTheLatestFrameWaitsBehindTheOneInFlight) {
  WriteCoalescer coalescer;
  EXPECT_EQ(coalescer.submit({0x10}), Bytes{0x10});
  EXPECT_EQ(coalescer.submit({0x20}), std::nullopt);
  EXPECT_EQ(coalescer.submit({0x30}), std::nullopt);
  EXPECT_EQ(coalescer.submit({0x40}), std::nullopt);
  EXPECT_EQ(coalescer.pending(), 2);

  EXPECT_EQ(coalescer.complete(), Bytes{0x40});
  EXPECT_EQ(coalescer.pending(), 1);
  EXPECT_EQ(coalescer.complete(), std::nullopt);
  EXPECT_EQ(coalescer.pending(), 0);
  EXPECT_EQ(coalescer.submit({0x50}), Bytes{0x50});
}

TEST(WriteCoalescer, ALostLinkForgetsTheWriteInFlightAndTheWaitingFrame) {
  WriteCoalescer coalescer;
  coalescer.submit({0x10});
  coalescer.submit({0x20});
  coalescer.reset();
  EXPECT_EQ(coalescer.pending(), 0);
  EXPECT_EQ(coalescer.complete(), std::nullopt);
  EXPECT_EQ(coalescer.submit({0x30}), Bytes{0x30});
}

TEST(WriteCoalescer, AnswerWithNothingInFlightStartsNothing) {
  WriteCoalescer coalescer;
  EXPECT_EQ(coalescer.complete(), std::nullopt);
  EXPECT_EQ(coalescer.submit({0x10}), Bytes{0x10});
  EXPECT_EQ(coalescer.submit({0x20}), std::nullopt);
}

}  // namespace
}  // namespace kiro
