#include <atomic>
#include <thread>

#include "tests/link/link_fixture.h"

namespace kiro::link_test {
namespace {

using LinkManagerRegistry = LinkManagerFixture;

TEST_F(LinkManagerRegistry, OneSharedInstanceMadeOnFirstUseAndFreshAfterReset) {
  EXPECT_FALSE(singleton::sharedExists());
  auto& first = manager();
  EXPECT_TRUE(singleton::sharedExists());
  EXPECT_EQ(&manager(), &first);
  EXPECT_EQ(first.isText(), "单例实例化成功");

  first.setConnectionFlag(1);
  first.startBlueYooth();
  singleton::resetShared();
  EXPECT_FALSE(singleton::sharedExists());

  auto& fresh = manager();
  EXPECT_EQ(fresh.connectionFlag(), 0);
  ASSERT_NE(fresh.arr(), nullptr);
  EXPECT_TRUE(fresh.arr()->empty());
  EXPECT_FALSE(fresh.nameArray().has_value());
  EXPECT_EQ(fresh.peripheral(), nullptr);
}

TEST_F(LinkManagerRegistry, ConcurrentFirstCallsMakeOneInstanceWithOneCentral) {
  std::atomic<int> centralsMade{0};
  auto makeCentral = radio.centralFactory();
  Platform counting{loop, center, defaults, log, [&](CentralDelegate& delegate) {
                      ++centralsMade;
                      return makeCentral(delegate);
                    }};
  PlatformScope countingScope(counting);

  std::vector<singleton*> seen(8, nullptr);
  std::vector<std::thread> callers;
  for (std::size_t i = 0; i < seen.size(); ++i)
    callers.emplace_back([&seen, i] { seen[i] = &singleton::defaultManager(); });
  for (auto& caller : callers) caller.join();

  EXPECT_EQ(centralsMade.load(), 1);
  for (auto* each : seen) EXPECT_EQ(each, seen.front());
}

TEST_F(LinkManagerRegistry, NothingIsScannedBeforeTheFirstScanStart) {
  addReceiver(1, "Kiro-1");
  auto& link = manager();
  loop.advance(2s);
  EXPECT_TRUE(link.arr()->empty());
  EXPECT_FALSE(link.nameArray().has_value());
}

// The advertised local name alone decides, by case-sensitive substring.
TEST_F(LinkManagerRegistry, ListsOnlyReceiversWhoseAdvertisedNameCarriesAMark) {
  struct Case {
    std::optional<std::string> advertised;
    std::optional<std::string> own;
    bool listed;
  };
  const std::vector<Case> cases{
      {"Kiro-7", std::nullopt, true},        {"MY KIRO", std::nullopt, true},
      {"bde spp dev", std::nullopt, true},   {"x bde spp dev 2", std::nullopt, true},
      {"kiro", std::nullopt, false},         {"KIro", std::nullopt, false},
      {"BDE SPP DEV", std::nullopt, false},  {"Kir", std::nullopt, false},
      {"bde spp", std::nullopt, false},      {std::nullopt, "Kiro-own", false},
      {"Camera", "KIRO", false},             {"", std::nullopt, false},
  };
  std::vector<std::string> expected;
  std::uint8_t number = 1;
  for (const auto& c : cases) {
    SimulatedReceiver::Options options;
    options.identifier = receiverIdentifier(number++);
    options.advertisedName = c.advertised;
    options.gapName = c.own;
    radio.addReceiver(options);
    if (c.listed) expected.push_back(*c.advertised);
  }
  auto& link = scanned();
  auto listed = names(link);
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(link.arr()->size(), link.nameArray()->size());
}

TEST_F(LinkManagerRegistry, EachReceiverOncePerScanInDiscoveryOrderAndAScanStartRelistsThem) {
  addReceiver(1, "Kiro-A");
  auto& link = scanned();
  addReceiver(2, "Kiro-B");
  loop.advance(1s);
  addReceiver(3, "Kiro-C");
  loop.advance(1s);
  ASSERT_EQ(names(link), (std::vector<std::string>{"Kiro-A", "Kiro-B", "Kiro-C"}));
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ((*link.arr())[i]->identifier(), receiverIdentifier(static_cast<std::uint8_t>(i + 1)));

  // A holder of the old list keeps it as it was; the scan start posts a new, empty one.
  const SharedPeripheralList before = link.arr();
  updates.clear();
  link.startBlueYooth();
  ASSERT_FALSE(updates.empty());
  ASSERT_NE(updates.front(), nullptr);
  EXPECT_TRUE(updates.front()->empty());
  EXPECT_NE(updates.front(), before);
  EXPECT_EQ(before->size(), 3u);
  EXPECT_TRUE(names(link).empty());

  loop.advance(1s);
  auto relisted = names(link);
  std::sort(relisted.begin(), relisted.end());
  EXPECT_EQ(relisted, (std::vector<std::string>{"Kiro-A", "Kiro-B", "Kiro-C"}));
}

TEST_F(LinkManagerRegistry, EveryDiscoveryPostsTheLiveListMatchOrNot) {
  addReceiver(1, "Kiro-A");
  addReceiver(2, "Speaker");
  auto& link = manager();
  link.startBlueYooth();
  updates.clear();
  loop.advance(1s);
  // One post per report, each carrying the registry's own list object.
  EXPECT_GE(updates.size(), 2u);
  for (const auto& posted : updates) EXPECT_EQ(posted, link.arr());
  EXPECT_EQ(names(link), (std::vector<std::string>{"Kiro-A"}));
}

TEST_F(LinkManagerRegistry, RefreshWhileConnectedDropsTheConnectionAndRelists) {
  auto& receiver = addReceiver(1, "Kiro-A");
  auto& link = connectedToFirst();
  ASSERT_EQ(receiver.state(), PeripheralState::connected);

  updates.clear();
  link.changeList();
  ASSERT_FALSE(updates.empty());
  EXPECT_TRUE(updates.front()->empty());
  loop.advance(1s);
  EXPECT_EQ(receiver.state(), PeripheralState::disconnected);
  EXPECT_EQ(names(link), (std::vector<std::string>{"Kiro-A"}));
}

}  // namespace
}  // namespace kiro::link_test
