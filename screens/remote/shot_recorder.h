#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "plan/shot_log.h"
#include "plan/timed_shooting.h"

namespace kiro {

// Keeps the log of the series under way: each shot as planned, when its first shutter frame
// went to a receiver that took commands, the lamps seen while it held and how it ended. A log
// that cannot be made or written is said once and the series goes on without it.
class ShotRecorder {
 public:
  // Where the logs go; none: nothing is kept.
  void setFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
  // A series starts, its first shot at firstAt on the run loop's clock: its log, named by
  // that, is opened as its first shot ends, and made on the log's thread.
  void start(Millis firstAt);
  // The pump wrote a frame to a receiver that takes commands; shutter: it holds the shutter.
  void frameWritten(bool shutter);
  // A feedback lamp lit while a shot held.
  void lampSeen(const char* lamp);
  // One shot ended, as the series tells it: a row, with the remembered receiver's name.
  void shotEnded(const ShotEnd& end);

  // The log of the series last started, while it can be written; empty: none.
  std::filesystem::path path() const;
  int shots() const { return shots_; }
  int missed() const { return missed_; }

 private:
  std::optional<std::filesystem::path> folder_;
  std::optional<ShotLog> log_;  // made for the first series logged, its thread kept for the next
  bool logging_ = false;        // the series last started has its file in log_
  std::optional<WallTime> named_;  // the series' first shot, while its log is still to be made
  std::optional<Millis> firstFrame_;  // of the shot under way
  Millis lastFrame_{0};               // the shot's latest shutter frame
  std::set<std::string> lamps_;
  int shots_ = 0;
  int missed_ = 0;
};

}  // namespace kiro
