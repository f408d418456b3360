#include "platform/notification_center.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kiro {
namespace {

TEST(NotificationCenter, DeliversSynchronouslyToEveryObserverOfTheNameOnly) {
  NotificationCenter center;
  std::vector<std::string> seen;
  auto a = center.addObserver("update", [&](const Notification&) { seen.push_back("a"); });
  auto b = center.addObserver("update", [&](const Notification&) { seen.push_back("b"); });
  auto c = center.addObserver("light", [&](const Notification&) { seen.push_back("c"); });
  center.post("update");
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

TEST(NotificationCenter, NamesAreCaseSensitive) {
  NotificationCenter center;
  int calls = 0;
  auto token = center.addObserver("update", [&](const Notification&) { ++calls; });
  center.post("Update");
  EXPECT_EQ(calls, 0);
}

TEST(NotificationCenter, AnObserverThatNoLongerExistsReceivesNothing) {
  NotificationCenter center;
  int calls = 0;
  {
    auto token = center.addObserver("update", [&](const Notification&) { ++calls; });
    center.post("update");
  }
  center.post("update");
  EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, MovedTokenKeepsTheRegistrationAndATokenMayOutliveItsCentre) {
  int calls = 0;
  ObserverToken kept;
  {
    NotificationCenter center;
    ObserverToken first = center.addObserver("update", [&](const Notification&) { ++calls; });
    kept = std::move(first);
    center.post("update");
  }
  EXPECT_EQ(calls, 1);
  kept.reset();  // the centre is gone: nothing to do, no crash
}

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
    late = center.addObserver("update", [&](const Notification&) { seen.push_back("late"); });
  });
  victim = center.addObserver("update", [&](const Notification&) { seen.push_back("victim"); });
  center.post("update", {{"depth", std::string("0")}});
  // The nested update reached the victim before it unregistered; the outer delivery skips it.
  EXPECT_EQ(seen, (std::vector<std::string>{"update:0", "service", "update:1", "victim"}));
  seen.clear();
  center.post("update", {{"depth", std::string("2")}});
  EXPECT_EQ(seen, (std::vector<std::string>{"update:2", "late"}));
}

TEST(NotificationCenter, AHandlerMayUnregisterItself) {
  NotificationCenter center;
  int calls = 0;
  ObserverToken self;
  self = center.addObserver("light", [&](const Notification&) {
    ++calls;
    self.reset();
  });
  center.post("light");
  center.post("light");
  EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, ASharedValueIsSharedNotCopied) {
  NotificationCenter center;
  auto list = std::make_shared<std::vector<int>>();
  std::shared_ptr<std::vector<int>> kept;
  auto token = center.addObserver("update", [&](const Notification& n) {
    kept = n.value<std::shared_ptr<std::vector<int>>>("arrKey").value_or(nullptr);
  });
  center.post("update", {{"arrKey", list}});
  list->push_back(1);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->size(), 1u);
}

TEST(NotificationCenter, AValueOfAnotherTypeReadsAsAbsentAndTextIsAlwaysAString) {
  Notification n{"light", {{"lightArray", "0001"}}};
  EXPECT_EQ(n.value<std::vector<std::string>>("lightArray"), std::nullopt);
  EXPECT_EQ(n.value<std::string>("missing"), std::nullopt);
  EXPECT_EQ(n.value<std::string>("lightArray"), "0001");
}

}  // namespace
}  // namespace kiro
