#include <gtest/gtest.h>

#include "platform/ui/alert.h"

namespace kiro {
namespace {

TEST(UiAlert, StackedAlertsShowOneAfterTheOtherInTheOrderShown) {
  AlertQueue outside;
  AlertQueueScope outsideScope(outside);
  {
    AlertQueue inside;
    AlertQueueScope scope(inside);
    auto& queue = alertQueue();
    int told = 0;
    queue.setObserver([&told] { ++told; });
    const Alert first{"Can not connect", "A device has connected", "YES"};
    const Alert second{"Second", "another", "OK"};

    queue.show(first);
    queue.show(second);
    ASSERT_NE(queue.visible(), nullptr);
    EXPECT_EQ(*queue.visible(), first);
    queue.dismiss();
    ASSERT_NE(queue.visible(), nullptr);
    EXPECT_EQ(*queue.visible(), second);
    queue.dismiss();
    EXPECT_EQ(queue.visible(), nullptr);
    queue.dismiss();
    EXPECT_EQ(told, 4);
  }
  EXPECT_EQ(&alertQueue(), &outside);
  EXPECT_TRUE(outside.alerts().empty());
}

}  // namespace
}  // namespace kiro
