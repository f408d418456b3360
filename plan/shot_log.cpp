#include "plan/shot_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
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

// The name's part every attempt shares: the local date and time of start.
std::string fileStem(WallTime start, const WallClock& clock) {
  const auto [date, time] = reading(start, clock);
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02u-%02u_%02ld-%02ld-%02ld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<long>(time.hours().count()),
                static_cast<long>(time.minutes().count()), static_cast<long>(time.seconds().count()));
  return name;
}

std::string fileName(const std::string& stem, int attempt) {
  return stem + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ".csv";
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

// Works through the queue: a new file, or a line for the file made last. Only the queue and
// the path shown are shared, under the lock; the file is the thread's alone.
struct ShotLog::Writer {
  struct NewFile {
    std::filesystem::path folder;
    std::string stem;
    int series = 0;
  };
  struct Item {
    std::optional<NewFile> file;  // else line
    std::string line;
  };

  explicit Writer(Notices& told) : notices(told), thread([this](std::stop_token stop) { run(stop); }) {}

  // A new file's name is shown at once: it is the one made unless that is taken.
  void push(Item item) {
    {
      const std::lock_guard lock(mutex);
      if (item.file) {
        item.file->series = ++opened;
        shown = item.file->folder / fileName(item.file->stem, 1);
      }
      queue.push_back(std::move(item));
    }
    wake.notify_one();
  }

  void run(std::stop_token stop) {
    std::unique_lock lock(mutex);
    // Once stopped, what is still queued is written before the thread ends.
    while (wake.wait(lock, stop, [this] { return !queue.empty(); })) {
      const auto items = std::exchange(queue, {});
      lock.unlock();
      for (const auto& item : items) item.file ? make(*item.file) : put(item.line);
      sync();
      lock.lock();
    }
    if (file >= 0) ::close(file);
  }

  void make(const NewFile& next) {
    sync();
    if (file >= 0) ::close(file);
    file = -1;
    series = next.series;
    std::error_code error;
    std::filesystem::create_directories(next.folder, error);
    if (error) return fail("the shot log cannot be kept in " + next.folder.string() + ": " + error.message());
    for (int attempt = 1; attempt <= 99; ++attempt) {
      made = next.folder / fileName(next.stem, attempt);
      file = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (file < 0 && errno == EEXIST) continue;
      if (file < 0) return fail("the shot log cannot be written to " + made.string() + ": " + std::strerror(errno));
      show(made);
      return put(kHeader);
    }
    fail("the shot log cannot be written in " + next.folder.string() + ": its names for that second are taken");
  }

  void put(std::string_view line) {
    while (file >= 0 && !line.empty()) {
      const ssize_t written = ::write(file, line.data(), line.size());
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return fail("the shot log " + made.string() + " cannot be written: " + std::strerror(errno));
      line.remove_prefix(static_cast<std::size_t>(written));
      unsynced = true;
    }
  }

  void sync() {
    if (file < 0 || !std::exchange(unsynced, false)) return;
    if (::fdatasync(file) != 0)
      fail("the shot log " + made.string() + " cannot be synced to the disk: " + std::strerror(errno));
  }

  // Said once: the file's later rows are dropped.
  void fail(const std::string& why) {
    notices.say(why);
    if (file >= 0) ::close(file);
    file = -1;
    show({});
  }

  // The path of the series opened last, not of one before it.
  void show(const std::filesystem::path& path) {
    const std::lock_guard lock(mutex);
    if (series == opened) shown = path;
  }

  Notices& notices;
  // The thread's own.
  int file = -1;
  int series = 0;
  std::filesystem::path made;
  bool unsynced = false;
  // Shared, under the lock.
  std::mutex mutex;
  std::condition_variable_any wake;
  std::deque<Item> queue;
  std::filesystem::path shown;
  int opened = 0;
  std::jthread thread;  // last: it starts once the rest is there, and stops first
};

ShotLog::ShotLog(Notices& notices) : writer_(std::make_unique<Writer>(notices)) {}

ShotLog::~ShotLog() = default;

void ShotLog::open(const std::filesystem::path& folder, WallTime start, const WallClock& clock) {
  clock_ = &clock;
  writer_->push({Writer::NewFile{folder, fileStem(start, clock)}, {}});
}

void ShotLog::write(const ShotRow& row) {
  const auto millis = [](std::optional<Millis> length) { return length ? std::to_string(length->count()) : std::string(); };
  std::string line = std::to_string(row.shot) + "," + localIsoTime(row.plannedStart, *clock_) + ",";
  if (row.actualStart) line += localIsoTime(*row.actualStart, *clock_);
  line += "," + millis(row.plannedLength) + "," + millis(row.actualLength) + "," + csvField(row.receiver) + "," +
          csvField(row.lamps) + "," + csvField(row.outcome) + "\r\n";
  writer_->push({std::nullopt, std::move(line)});
}

std::filesystem::path ShotLog::path() const {
  const std::lock_guard lock(writer_->mutex);
  return writer_->shown;
}

}  // namespace kiro
