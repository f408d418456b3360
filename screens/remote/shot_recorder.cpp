#include "screens/remote/shot_recorder.h"

#include "platform/platform.h"
#include "screens/remote/frame_pump.h"

namespace kiro {

namespace {

WallTime wallTime(Millis at) { return wallClock().now() + (at - platform().runLoop.now()); }

std::string rememberedName() {
  const auto* remembered = platform().defaults.findDictionary("iphone");
  if (remembered == nullptr) return {};
  const auto name = remembered->find("name");
  return name == remembered->end() ? std::string() : name->second;
}

}  // namespace

void ShotRecorder::start(Millis firstAt) {
  logging_ = false;
  firstFrame_.reset();
  shots_ = missed_ = 0;
  if (folder_) named_ = wallTime(firstAt);
}

void ShotRecorder::frameWritten(bool shutter) {
  if ((!logging_ && !named_) || !shutter) return;
  lastFrame_ = platform().runLoop.now();
  if (firstFrame_) return;
  firstFrame_ = lastFrame_;
  lamps_.clear();
}

void ShotRecorder::lampSeen(const char* lamp) {
  if (firstFrame_) lamps_.insert(lamp);
}

void ShotRecorder::shotEnded(const ShotEnd& end) {
  const auto first = std::exchange(firstFrame_, std::nullopt);
  if (const auto named = std::exchange(named_, std::nullopt)) {
    if (!log_) log_.emplace(platform().notices);
    log_->open(*folder_, *named, wallClock());
    logging_ = true;
  }
  if (!logging_) return;
  ShotRow row{end.shot, wallTime(end.plannedAt), std::nullopt, end.length, std::nullopt, rememberedName(), {}, "taken"};
  if (first) {
    row.actualStart = wallTime(*first);
    // The receiver holds the shutter until the frame after its last shutter frame.
    row.actualLength = lastFrame_ + kPumpPeriod - *first;
    for (const auto& lamp : lamps_) row.lamps += (row.lamps.empty() ? "" : " ") + lamp;
  }
  if (!end.missed.empty()) row.outcome = "missed: " + end.missed;
  else if (!first) row.outcome = "missed: writes refused";
  ++shots_;
  if (row.outcome != "taken") ++missed_;
  log_->write(row);
}

std::filesystem::path ShotRecorder::path() const { return logging_ ? log_->path() : std::filesystem::path(); }

}  // namespace kiro
