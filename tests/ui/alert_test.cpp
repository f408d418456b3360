#include <gtest/gtest.h>

#include "platform/ui/alert.h"

namespace kiro {
namespace {

TEST(UiAlert, StackedAlertsShowOneAfterTheOtherInTheOrderShown) {
  AlertQueueScope scope;
  auto& queue = alertQueue();
  int told = 0;
  queue.setObserver([&told] { ++told; });
  const Alert first{"Can not connect", "A device has connected", "YES"};
  const Alert second{"Second", "another", "OK"};

  EXPECT_EQ(queue.visible(), nullptr);
  queue.show(first);
  queue.show(second);
  ASSERT_NE(queue.visible(), nullptr);
  EXPECT_EQ(*queue.visible(), first);
  EXPECT_EQ(queue.alerts().size(), 2u);

  queue.dismiss();
  ASSERT_NE(queue.visible(), nullptr);
  EXPECT_EQ(*queue.visible(), second);
  queue.dismiss();
  EXPECT_EQ(queue.visible(), nullptr);
  queue.dismiss();
  EXPECT_EQ(told, 4);
}

TEST(UiAlert, AnInstalledQueueHoldsForItsScopeOnly) {
  AlertQueue& before = alertQueue();
  {
    AlertQueueScope outer;
    {
      AlertQueueScope inner;
      alertQueue().show({"inner", "", "YES"});
      EXPECT_EQ(&alertQueue(), &inner.queue());
    }
    EXPECT_EQ(&alertQueue(), &outer.queue());
    EXPECT_TRUE(outer.queue().alerts().empty());
  }
  EXPECT_EQ(&alertQueue(), &before);
}

}  // namespace
}  // namespace kiro
