#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using RemoteScreenCommands = RemoteScreenFixture;

TEST_F(RemoteScreenCommands, ScanningStartsOnceASecondAfterLoad) {
  remote->loadViewIfNeeded();
  loop.advance(999ms);
  EXPECT_FALSE(manager().nameArray().has_value());
  loop.advance(1ms);
  EXPECT_TRUE(manager().nameArray().has_value());
  loop.advance(10s);
  EXPECT_EQ(radio.scanRequests(), 1);
}

// Nothing but the pump holds the screen here: it lives on while the pump runs.
TEST_F(RemoteScreenCommands, TouchesSetTheFrameThatThePumpWritesEvery25ms) {
  auto& receiver = loadAndConnect();
  remote.reset();
  const struct {
    const char* touches;
    Millis wait;
    Bytes bytes;
    bool focus;  // F latched and showing pressed
  } steps[] = {
      {"F", 100ms, Bytes(4, 0x10), true},
      {"F", 1s, {}, false},
      {"R", 100ms, Bytes(4, 0x30), true},
      {"r", 1s, Bytes(39, 0x40), false},  // the release notice, for 1 s
      {"", 1s, {}, false},
      {"Rr", 600ms, Bytes(24, 0x40), false},
      {"R", 50ms, Bytes(2, 0x30), true},  // the shutter ends the notice
      {"r", 2s, Bytes(39, 0x40), false},  // and its let-go starts it afresh
      {"FRF", 50ms, Bytes(2, 0x20), false},  // F while R is held drops only focus
      {"F", 50ms, Bytes(2, 0x30), true},
      {"o", 50ms, Bytes(2, 0x30), true},  // a touch ending outside R leaves the shutter held
      {"r", 50ms, Bytes(2, 0x40), false},
      {"F", 50ms, Bytes(2, 0x10), true},  // focus ends the notice: 1 and 3 are never both set
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.touches);
    touch(step.touches);
    loop.advance(step.wait);
    EXPECT_EQ(takeBytes(receiver), step.bytes);
    EXPECT_EQ(f->isSelected(), step.focus);
    EXPECT_EQ(f->image(ControlState::normal), step.focus ? "对焦点击.png" : "对焦.png");
    EXPECT_EQ(f->image(ControlState::highlighted), step.focus ? "对焦.png" : "对焦点击.png");
  }
  EXPECT_EQ(r->image(ControlState::highlighted), "拍照点击.png");
  EXPECT_FALSE(f->adjustsImageWhenHighlighted() || r->adjustsImageWhenHighlighted());
}

}  // namespace
}  // namespace kiro::remote_test
