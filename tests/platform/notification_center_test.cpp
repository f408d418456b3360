#include "platform/notification_center.h"

#include <gtest/gtest.h>

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
  ObserverToken added;
  ObserverToken removed;
  auto first = center.addObserver("update", [&](const Notification& n) {
    const auto depth = n.value<std::string>("depth").value_or("");
    seen.push_back("first" + depth);
    if (depth != "0") return;
    center.post("update", {{"depth", std::string("1")}});
    removed.reset();
    added = center.addObserver("update", [&](const Notification&) {
      added.reset();
      seen.push_back("added");  // still running after unregistering
    });
  });
  removed = center.addObserver("update", [&](const Notification&) { seen.push_back("removed"); });
  center.post("update", {{"depth", std::string("0")}});
  center.post("update");
  center.post("update");
  // The nested post reached the removed observer before it went; the outer one skips it.
  EXPECT_EQ(seen, (std::vector<std::string>{"first0", "first1", "removed", "first", "added", "first"}));
}

TEST(NotificationCenter, AValueOfAnotherTypeReadsAsAbsentAndTextIsAlwaysAString) {
  Notification n{"light", {{"lightArray", "0001"}}};
  EXPECT_EQ(n.value<std::vector<std::string>>("lightArray"), std::nullopt);
  EXPECT_EQ(n.value<std::string>("lightArray"), "0001");
}

}  // namespace
}  // namespace kiro
