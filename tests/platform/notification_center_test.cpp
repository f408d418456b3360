#include "platform/notification_center.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kiro {
namespace {

TEST(NotificationCenter, DeliversAtOnceToEveryLiveObserverOfTheExactNameInOrder) {
  NotificationCenter center;
  std::vector<std::string> seen;
  auto a = center.addObserver("update", [&](const Notification&) { seen.push_back("a"); });
  ObserverToken moved;
  {
    auto b = center.addObserver("update", [&](const Notification&) { seen.push_back("b"); });
    moved = std::move(b);  // the registration goes with the token
  }
  auto other = center.addObserver("Update", [&](const Notification&) { seen.push_back("other"); });
  center.addObserver("update", [&](const Notification&) { seen.push_back("gone"); }).reset();
  center.post("update");
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));

  ObserverToken outlives;
  {
    NotificationCenter shortLived;
    outlives = shortLived.addObserver("update", [](const Notification&) {});
  }
  outlives.reset();  // the centre is gone: nothing to do
}

// An observer removed during a delivery is skipped, one added waits for the next post, and a
// handler may remove itself.
TEST(NotificationCenter, HandlersMayPostAgainAndChangeRegistrationsWhileDelivering) {
  NotificationCenter center;
  std::vector<std::string> seen;
  ObserverToken late;
  ObserverToken victim;
  auto chain = center.addObserver("update", [&](const Notification& n) {
    seen.push_back("update:" + n.value<std::string>("depth").value_or("?"));
    if (n.value<std::string>("depth") == "0") center.post("connectionService");
  });
  auto service = center.addObserver("connectionService", [&](const Notification&) {
    seen.push_back("service");
    center.post("update", {{"depth", std::string("1")}});
    victim.reset();
    late = center.addObserver("update", [&](const Notification&) {
      seen.push_back("late");
      late.reset();
    });
  });
  victim = center.addObserver("update", [&](const Notification&) { seen.push_back("victim"); });
  center.post("update", {{"depth", std::string("0")}});
  // The nested update reached the victim before it unregistered; the outer delivery skips it.
  EXPECT_EQ(seen, (std::vector<std::string>{"update:0", "service", "update:1", "victim"}));
  seen.clear();
  center.post("update", {{"depth", std::string("2")}});
  center.post("update", {{"depth", std::string("3")}});
  EXPECT_EQ(seen, (std::vector<std::string>{"update:2", "late", "update:3"}));
}

TEST(NotificationCenter, AValueOfAnotherTypeReadsAsAbsent) {
  const Notification n{"light", {{"lightArray", std::string("0001")}}};
  EXPECT_EQ(n.value<LampArray>("lightArray"), std::nullopt);
  EXPECT_EQ(n.value<std::string>("missing"), std::nullopt);
  EXPECT_EQ(n.value<std::string>("lightArray"), "0001");
}

}  // namespace
}  // namespace kiro
