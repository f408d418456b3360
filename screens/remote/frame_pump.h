#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/run_loop.h"
#include "screens/remote/command_frame.h"

namespace kiro {

// How often the pump writes the frame.
inline constexpr Millis kPumpPeriod{25};

// The command frame and the timers that change it: the pump that writes it every 25 ms
// while anything is set, the release notice's 1 s and the acknowledge's 85 ms.
class FramePump {
 public:
  // text: the frame's text, handed over at each tick while the frame is not idle.
  using Write = std::function<void(const std::string& text)>;

  FramePump() = default;
  ~FramePump();
  FramePump(const FramePump&) = delete;
  FramePump& operator=(const FramePump&) = delete;

  // Starts the pump, once. owner: held by the pump's timer as a timer holds its target, so
  // it lives while the pump runs; it owns this pump, which therefore never outlives its timer.
  void start(Write write, std::shared_ptr<void> owner);

  const CommandFrame& byteArray() const { return byteArray_; }
  // The pump, the release notice's and the acknowledge's timers; null when not running.
  const std::shared_ptr<Timer>& Behemoth() const { return Behemoth_; }
  const std::shared_ptr<Timer>& timer04() const { return timer04_; }
  const std::shared_ptr<Timer>& timer05() const { return timer05_; }

  void set(CommandFrame::Position position, bool on) { byteArray_.positions[position] = on; }
  // positions: indexes "0"-"3"; time: 0.0 sets them, 1.0 clears them, anything else
  // leaves the frame as it is. Indexes outside the frame are ignored.
  void writeMethods(const std::vector<std::string>& positions, double time);
  // Clears every position; the running timers only clear what is clear already.
  void clear() { byteArray_ = {}; }

  // The release notice from now until 1 s after the latest start.
  void startReleaseNotice();
  // Ends the release notice now, timer and all.
  void endReleaseNotice();
  // The acknowledge from now until 85 ms after the latest one.
  void acknowledge();
  // Clear the release notice's and the acknowledge's positions.
  void stopPictures() { set(CommandFrame::releaseNotice, false); }
  void app3() { set(CommandFrame::acknowledge, false); }
  // The pump's tick.
  void roWrite();

 private:
  CommandFrame byteArray_;
  Write write_;
  std::shared_ptr<Timer> Behemoth_;
  std::shared_ptr<Timer> timer04_;
  std::shared_ptr<Timer> timer05_;
};

}  // namespace kiro
