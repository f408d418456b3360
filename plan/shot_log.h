#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
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

// A series' log: a CSV file (RFC 4180, a header row) of one row a shot, each written as its
// shot ends, so that a crash loses at most the shot under way. A thread of its own syncs it
// to the disk after each row: a slow disk never holds up the frames.
class ShotLog {
 public:
  // A new file in folder, named by the local time start; never one that is there already.
  static Result<ShotLog> create(const std::filesystem::path& folder, WallTime start, const WallClock& clock);
  ShotLog(ShotLog&& other) noexcept;
  ShotLog& operator=(ShotLog&& other) noexcept;
  ShotLog(const ShotLog&) = delete;
  ShotLog& operator=(const ShotLog&) = delete;
  ~ShotLog();

  const std::filesystem::path& path() const { return path_; }
  Result<> write(const ShotRow& row);

 private:
  struct Syncer;
  ShotLog(int file, std::filesystem::path path, const WallClock& clock);
  Result<> put(std::string_view line);

  int file_ = -1;
  std::filesystem::path path_;
  const WallClock* clock_ = nullptr;
  std::unique_ptr<Syncer> syncer_;
};

// A field as a spreadsheet reads it back: quoted where it must be, and never taken for a formula.
std::string csvField(std::string_view text);
// at in local time with its offset, to the millisecond: "2027-09-15T19:12:20.000+02:00".
std::string localIsoTime(WallTime at, const WallClock& clock);

}  // namespace kiro
