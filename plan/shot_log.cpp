#include "plan/shot_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

namespace kiro {

namespace {

const char* const kHeader =
    "shot,planned start,actual start,planned ms,actual ms,receiver,lamps,outcome\r\n";

// The local reading of at, as a calendar date and a time of day.
struct Reading {
  std::chrono::year_month_day date;
  std::chrono::hh_mm_ss<Millis> time;
};
Reading reading(WallTime at, const WallClock& clock) {
  const WallTime local = at + clock.utcOffset(at);
  const auto day = std::chrono::floor<std::chrono::days>(local);
  return {std::chrono::year_month_day{day}, std::chrono::hh_mm_ss<Millis>{local - day}};
}

std::string fileName(WallTime start, const WallClock& clock, int attempt) {
  const auto [date, time] = reading(start, clock);
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02u-%02u_%02ld-%02ld-%02ld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<long>(time.hours().count()),
                static_cast<long>(time.minutes().count()), static_cast<long>(time.seconds().count()));
  return std::string(name) + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ".csv";
}

}  // namespace

std::string csvField(std::string_view text) {
  std::string field(text);
  // A leading sign would make a spreadsheet run the name of a receiver nearby as a formula.
  if (!field.empty() && std::strchr("=+-@\t\r", field[0]) != nullptr) field.insert(0, "'");
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string localIsoTime(WallTime at, const WallClock& clock) {
  const auto [date, time] = reading(at, clock);
  const auto offset = std::chrono::duration_cast<std::chrono::minutes>(clock.utcOffset(at)).count();
  const long away = offset < 0 ? -offset : offset;
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ld.%03ld%c%02ld:%02ld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<long>(time.hours().count()),
                static_cast<long>(time.minutes().count()), static_cast<long>(time.seconds().count()),
                static_cast<long>(time.subseconds().count()), offset < 0 ? '-' : '+', away / 60, away % 60);
  return text;
}

// Syncs the file after each row it is told of, and once more as it stops.
struct ShotLog::Syncer {
  explicit Syncer(int file) : thread([this, file](std::stop_token stop) { run(file, stop); }) {}

  void written() {
    {
      const std::lock_guard lock(mutex);
      pending = true;
    }
    wake.notify_one();
  }

  void run(int file, std::stop_token stop) {
    std::unique_lock lock(mutex);
    while (wake.wait(lock, stop, [this] { return pending; })) {
      pending = false;
      lock.unlock();
      ::fdatasync(file);
      lock.lock();
    }
  }

  std::mutex mutex;
  std::condition_variable_any wake;
  bool pending = false;
  std::jthread thread;  // last: it starts once the rest is there, and stops first
};

ShotLog::ShotLog(int file, std::filesystem::path path, const WallClock& clock)
    : file_(file), path_(std::move(path)), clock_(&clock), syncer_(std::make_unique<Syncer>(file)) {}

Result<ShotLog> ShotLog::create(const std::filesystem::path& folder, WallTime start, const WallClock& clock) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Error{"the shot log cannot be kept in " + folder.string() + ": " + error.message()};
  for (int attempt = 1; attempt <= 99; ++attempt) {
    const auto path = folder / fileName(start, clock, attempt);
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0 && errno == EEXIST) continue;
    if (file < 0) return Error{"the shot log cannot be written to " + path.string() + ": " + std::strerror(errno)};
    ShotLog log(file, path, clock);
    if (auto put = log.put(kHeader); !put.ok()) return put.error();
    return log;
  }
  return Error{"the shot log cannot be written in " + folder.string() + ": its names for that second are taken"};
}

ShotLog::ShotLog(ShotLog&& other) noexcept
    : file_(std::exchange(other.file_, -1)),
      path_(std::move(other.path_)),
      clock_(other.clock_),
      syncer_(std::move(other.syncer_)) {}

ShotLog& ShotLog::operator=(ShotLog&& other) noexcept {
  if (this == &other) return *this;
  syncer_.reset();
  if (file_ >= 0) ::close(file_);
  file_ = std::exchange(other.file_, -1);
  path_ = std::move(other.path_);
  clock_ = other.clock_;
  syncer_ = std::move(other.syncer_);
  return *this;
}

ShotLog::~ShotLog() {
  syncer_.reset();  // its last sync first
  if (file_ >= 0) ::close(file_);
}

Result<> ShotLog::write(const ShotRow& row) {
  const auto millis = [](std::optional<Millis> length) { return length ? std::to_string(length->count()) : std::string(); };
  std::string line = std::to_string(row.shot) + "," + localIsoTime(row.plannedStart, *clock_) + ",";
  if (row.actualStart) line += localIsoTime(*row.actualStart, *clock_);
  line += "," + millis(row.plannedLength) + "," + millis(row.actualLength) + "," + csvField(row.receiver) + "," +
          csvField(row.lamps) + "," + csvField(row.outcome) + "\r\n";
  return put(line);
}

Result<> ShotLog::put(std::string_view line) {
  // A row is in the file before the next shot starts: a crash loses at most the one under way.
  while (!line.empty()) {
    const ssize_t written = ::write(file_, line.data(), line.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return Error{"the shot log " + path_.string() + " cannot be written: " + std::strerror(errno)};
    line.remove_prefix(static_cast<std::size_t>(written));
  }
  syncer_->written();
  return {};
}

}  // namespace kiro
