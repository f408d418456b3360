#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/notices.h"
#include "platform/wall_clock.h"

namespace kiro {

// One shot as the log keeps it.
struct ShotRow {
  int shot = 0;  // from 1
  WallTime plannedStart;
  std::optional<WallTime> actualStart;  // the first shutter frame written while the receiver took them
  Millis plannedLength{0};
  std::optional<Millis> actualLength;  // from then to the frame that let it go
  std::string receiver;
  std::string lamps;    // the feedback lamps seen while it held, such as "blue red"
  std::string outcome;  // "taken", or "missed: " and why
};

// Each series' log: a CSV file (RFC 4180, a header row) of one row a shot, each written as
// its shot ends, so that a crash loses at most the shot under way. A thread of its own makes
// each file, writes its rows in order and syncs each to the disk: a slow disk never holds up
// the main loop, and so never the frames.
class ShotLog {
 public:
  // notices: told, from the log's thread, why a file cannot be made, written or synced, once
  // a file; its rows are dropped then and the series goes on. Any thread may call it.
  explicit ShotLog(Notices& notices);
  ShotLog(const ShotLog&) = delete;
  ShotLog& operator=(const ShotLog&) = delete;
  ~ShotLog();  // once the rows still to come are written

  // The rows after this go to a new file in folder, named by the local time start; never
  // one that is there already.
  void open(const std::filesystem::path& folder, WallTime start, const WallClock& clock);
  void write(const ShotRow& row);
  // The file the rows go to: as named until it is made (another name only when that one is
  // taken); empty once it cannot be made or written.
  std::filesystem::path path() const;

 private:
  struct Writer;
  const WallClock* clock_ = nullptr;  // the open file's
  std::unique_ptr<Writer> writer_;
};

// A field as a spreadsheet reads it back: quoted where it must be, and never taken for a formula.
std::string csvField(std::string_view text);
// at in local time with its offset, to the millisecond: "2027-09-15T19:12:20.000+02:00".
std::string localIsoTime(WallTime at, const WallClock& clock);

}  // namespace kiro
