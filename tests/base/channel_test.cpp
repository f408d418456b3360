#include "base/channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kiro {
namespace {

TEST(Channel, DeliversAtOnceToEveryLiveListenerInOrder) {
  Channel<const std::string&> channel;
  std::vector<std::string> seen;
  auto a = channel.listen([&](const std::string& text) { seen.push_back("a" + text); });
  Subscription moved;
  {
    auto b = channel.listen([&](const std::string& text) { seen.push_back("b" + text); });
    moved = std::move(b);  // the listening goes with the subscription
  }
  channel.listen([&](const std::string&) { seen.push_back("gone"); }).reset();
  channel.send("!");
  EXPECT_EQ(seen, (std::vector<std::string>{"a!", "b!"}));

  Subscription outlives;
  {
    Channel<int> shortLived;
    outlives = shortLived.listen([](int) {});
  }
  outlives.reset();  // the channel is gone: nothing to do
}

// A listener stopped during a delivery is skipped, one started waits for the next send, and
// a listener may stop itself.
TEST(Channel, ListenersMaySendAgainAndStartOrStopListenersWhileCalled) {
  Channel<int> channel;
  std::vector<std::string> seen;
  Subscription added;
  Subscription removed;
  auto first = channel.listen([&](int depth) {
    seen.push_back("first" + std::to_string(depth));
    if (depth != 0) return;
    channel.send(1);
    removed.reset();
    added = channel.listen([&](int) {
      added.reset();
      seen.push_back("added");  // still running after it stopped
    });
  });
  removed = channel.listen([&](int) { seen.push_back("removed"); });
  channel.send(0);
  channel.send(2);
  channel.send(2);
  // The nested send reached the removed listener before it went; the outer one skips it.
  EXPECT_EQ(seen, (std::vector<std::string>{"first0", "first1", "removed", "first2", "added", "first2"}));
}

}  // namespace
}  // namespace kiro
