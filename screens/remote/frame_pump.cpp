#include "screens/remote/frame_pump.h"

#include "link/integer_value.h"
#include "platform/platform.h"
#include "screens/remote/timer_field.h"

namespace kiro {

namespace {

constexpr Millis kReleaseNoticeTime{1000};
constexpr Millis kAcknowledgeTime{85};

}  // namespace

FramePump::~FramePump() {
  // The pump's own timer is left alone: it holds the owner, so it has let go already.
  stopTimer(timer04_);
  stopTimer(timer05_);
}

void FramePump::start(Write write, std::shared_ptr<void> owner) {
  write_ = std::move(write);
  Behemoth_ = platform().runLoop.scheduleTimer(kPumpPeriod, true, [this, owner = std::move(owner)] { roWrite(); });
}

void FramePump::writeMethods(const std::vector<std::string>& positions, double time) {
  if (time != 0.0 && time != 1.0) return;
  for (const auto& position : positions) {
    const auto index = integerValue(position);
    if (index >= 0 && static_cast<std::size_t>(index) < byteArray_.positions.size())
      byteArray_.positions[static_cast<std::size_t>(index)] = time == 0.0;
  }
}

void FramePump::startReleaseNotice() {
  set(CommandFrame::releaseNotice, true);
  restartTimer(timer04_, kReleaseNoticeTime, [this] { stopPictures(); });
}

void FramePump::endReleaseNotice() {
  stopTimer(timer04_);
  stopPictures();
}

void FramePump::acknowledge() {
  stopTimer(timer05_);
  set(CommandFrame::acknowledge, true);
  restartTimer(timer05_, kAcknowledgeTime, [this] { app3(); });
}

void FramePump::roWrite() {
  if (!byteArray_.idle()) write_(byteArray_.text());
}

}  // namespace kiro
