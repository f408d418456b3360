#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerRegistry = LinkManagerFixture;

TEST_F(LinkManagerRegistry, OneSharedInstanceUntilResetThatListsNothingBeforeItsFirstScanStart) {
  radio.addReceiver("Kiro-1");
  auto& first = manager();
  EXPECT_EQ(&manager(), &first);
  loop.advance(2s);
  EXPECT_TRUE(first.arr()->empty());
  EXPECT_FALSE(first.nameArray().has_value());

  first.setConnectionFlag(1);
  singleton::resetShared();
  EXPECT_FALSE(singleton::sharedExists());
  EXPECT_EQ(manager().connectionFlag(), 0);
  EXPECT_TRUE(singleton::sharedExists());
}

// The advertised local name alone decides, by case-sensitive substring.
TEST_F(LinkManagerRegistry, ListsOnlyReceiversWhoseAdvertisedNameCarriesAMark) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> unlisted[] = {
      {"kiro", std::nullopt}, {"BDE SPP DEV", std::nullopt}, {std::nullopt, "Kiro-own"}, {"Camera", "KIRO"}};
  for (const auto& [advertised, own] : unlisted) ASSERT_TRUE(radio.addReceiver({Uuid{}, advertised, own}).ok());
  for (const char* name : {"Kiro-7", "MY KIRO", "x bde spp dev 2"}) radio.addReceiver(name);
  auto& link = manager();
  loop.runDue();  // the central's report of its state
  link.startBlueYooth();
  updates.clear();
  loop.advance(1s);
  EXPECT_EQ(link.nameArray(), (std::vector<std::string>{"Kiro-7", "MY KIRO", "x bde spp dev 2"}));
  EXPECT_EQ(link.arr()->size(), 3u);
  // Every report, listed or not, posts the registry's own list.
  EXPECT_EQ(updates, std::vector<SharedPeripheralList>(7, link.arr()));
}

TEST_F(LinkManagerRegistry, EachReceiverOnceInDiscoveryOrderUntilARefreshDropsTheLinkAndRelistsThem) {
  auto& first = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  radio.addReceiver("Kiro-B");
  loop.advance(1s);
  radio.addReceiver("Kiro-C");
  loop.advance(1s);
  ASSERT_EQ(link.nameArray(), (std::vector<std::string>{"Kiro-A", "Kiro-B", "Kiro-C"}));

  // A holder of the old list keeps it as it was; the scan start posts a new, empty one.
  const SharedPeripheralList before = link.arr();
  updates.clear();
  link.changeList();
  ASSERT_FALSE(updates.empty());
  EXPECT_TRUE(updates.front()->empty());
  EXPECT_EQ(before->size(), 3u);
  EXPECT_EQ(link.nameArray()->size(), 0u);
  loop.advance(1s);
  EXPECT_EQ(first.state(), PeripheralState::disconnected);
  EXPECT_EQ(link.arr()->size(), 3u);
}

}  // namespace
}  // namespace kiro::link_test
