#include "screens/timer/night_chart.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "plan/night_windows.h"
#include "plan/sun_events.h"

namespace kiro {

namespace {

using namespace std::chrono;

// The sun's events and their lines: the deeper the twilight, the dimmer.
constexpr std::pair<SunEvent, Pixel> kSunLines[] = {
    {SunEvent::sunrise, kChartSunrise},          {SunEvent::sunset, kChartSunrise},
    {SunEvent::civilDawn, {200, 120, 90, 255}},  {SunEvent::civilDusk, {200, 120, 90, 255}},
    {SunEvent::nauticalDawn, {120, 90, 120, 255}}, {SunEvent::nauticalDusk, {120, 90, 120, 255}},
    {SunEvent::astroDawn, {80, 70, 110, 255}},   {SunEvent::astroDusk, {80, 70, 110, 255}}};

// The shots of a schedule by time, after its first shot's start, and each night's window.
class Shots {
 public:
  Shots(const Schedule& schedule, std::vector<Millis> windowStarts, Millis last)
      : schedule_(schedule), slot_(schedule.plan().bracket), starts_(std::move(windowStarts)) {
    count_ = schedule.count().value_or(0);
    // One that runs until stopped: the shots up to the chart's end.
    if (!schedule.count()) count_ = static_cast<int>(last / std::max(schedule.plan().interval, Millis{1}) + 1) * slot_;
  }
  int count() const { return count_; }
  Millis at(int shot) const { return schedule_.exposure(shot).at; }
  Millis bulb(int shot) const { return schedule_.exposure(shot).length; }
  // The first shot starting at or after t.
  int from(Millis t) const {
    int low = 0, high = count_;
    while (low < high) {
      const int middle = low + (high - low) / 2;
      if (at(middle) < t) low = middle + 1;
      else high = middle;
    }
    return low;
  }
  // The first shot of shot's slot (a bracket's shots share one), and the one past its last.
  int slotStart(int shot) const { return shot - shot % slot_; }
  int slotEnd(int shot) const { return std::min(count_, slotStart(shot) + slot_); }
  // From the start of shot's slot to the next slot's, when both are in the same night.
  std::optional<Millis> interval(int shot) const {
    const int slot = shot - shot % slot_;
    if (slot + slot_ >= count_ || night(at(slot)) != night(at(slot + slot_))) return std::nullopt;
    return at(slot + slot_) - at(slot);
  }
  // Whether a moment before shot next and after the one before is in that one's interval: both
  // are in the same night.
  bool within(int next) const { return next > 0 && next < count_ && night(at(next - 1)) == night(at(next)); }

 private:
  long night(Millis t) const { return std::upper_bound(starts_.begin(), starts_.end(), t) - starts_.begin(); }

  const Schedule& schedule_;
  int slot_;
  std::vector<Millis> starts_;
  int count_ = 0;
};

struct Range {
  double low = INFINITY, high = -INFINITY;
  void add(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool empty() const { return low > high; }
};

class Canvas {
 public:
  explicit Canvas(Picture& picture) : picture_(picture) {}
  void fill(std::size_t x, std::size_t top, std::size_t bottom, Pixel colour) {
    for (std::size_t y = top; y < std::min(bottom, picture_.pixelHeight()); ++y) picture_.row(y)[x] = colour;
  }
  // The span of values on a scale from low (at the bottom) to high, a pixel thick at least.
  void span(std::size_t x, const Range& values, const Range& scale, Pixel colour) {
    const double height = static_cast<double>(picture_.pixelHeight());
    const auto y = [&](double value) { return height - 2 - (value - scale.low) / (scale.high - scale.low) * (height - 4); };
    fill(x, static_cast<std::size_t>(std::max(0.0, y(values.high) - 1)), static_cast<std::size_t>(y(values.low) + 2), colour);
  }

 private:
  Picture& picture_;
};

}  // namespace

Picture nightChart(const Schedule& schedule, const WallClock& clock, const Result<std::optional<Location>>& where,
                   const Size& size, double scale) {
  Picture picture(static_cast<std::size_t>(size.width * scale), static_cast<std::size_t>(size.height * scale), scale);
  if (picture.empty()) return picture;
  const WallTime first = clock.now() + schedule.firstIn();
  const Millis length = schedule.length().value_or(Millis{hours{12}});
  const Millis pad = std::max(Millis{minutes{10}}, length / 20);
  const Millis begin = -pad, end = length + pad;
  const std::size_t width = picture.pixelWidth();
  const Millis column = std::max(Millis{1}, (end - begin) / static_cast<long>(width));
  const auto columnOf = [&](Millis t) { return static_cast<long>((t - begin) / column); };

  std::vector<Millis> starts;
  std::vector<std::pair<long, long>> windows;
  if (const auto nights = nightWindows(schedule.plan(), first, clock, where); nights.ok())
    for (const auto& night : nights.value()) {
      starts.push_back(night.start - first);
      windows.emplace_back(columnOf(night.start - first), columnOf(night.end ? *night.end - first : length));
    }
  Canvas canvas(picture);
  for (std::size_t x = 0; x < width; ++x) {
    const auto at = static_cast<long>(x);
    const bool inside = std::any_of(windows.begin(), windows.end(), [at](auto w) { return at >= w.first && at < w.second; });
    canvas.fill(x, 0, picture.pixelHeight(), inside ? kChartWindow : kChartSky);
  }
  if (where.ok() && where.value()) {
    const auto local = [&](WallTime t) { return t + clock.utcOffset(t); };
    for (auto day = floor<days>(local(first + begin)); day <= floor<days>(local(first + end)); day += days{1})
      for (const auto& [event, colour] : kSunLines)
        if (const auto moment = sunEventOn(event, *where.value(), day, clock); moment.ok()) {
          const long x = columnOf(moment.value() - first);
          if (x >= 0 && x < static_cast<long>(width)) canvas.fill(static_cast<std::size_t>(x), 0, picture.pixelHeight(), colour);
        }
  }

  const Shots shots(schedule, starts, end);
  Range stops, intervals{0, 0};
  for (int shot = 0; shot < shots.count(); ++shot) {
    stops.add(std::log2(static_cast<double>(shots.bulb(shot).count())));
    if (const auto interval = shots.interval(shot)) intervals.add(static_cast<double>(interval->count()));
  }
  if (stops.empty()) return picture;
  stops = {stops.low - 0.5, std::max(stops.high + 0.5, stops.low + 2)};
  intervals.high = std::max(intervals.high * 1.15, 1.0);
  for (std::size_t x = 0; x < width; ++x) {
    const Millis from = begin + column * static_cast<long>(x);
    int shot = shots.from(from);
    const int past = shots.from(from + column);
    // A column between two shots shows the one before, while its interval lasts; each shows
    // the whole slots of its shots.
    if (shot == past && !shots.within(shot)) continue;
    if (shot == past) --shot;
    Range bulbs, steps;
    for (int each = shots.slotStart(shot); each < shots.slotEnd(std::max(past - 1, shot)); ++each) {
      bulbs.add(std::log2(static_cast<double>(shots.bulb(each).count())));
      if (const auto interval = shots.interval(each)) steps.add(static_cast<double>(interval->count()));
    }
    if (!steps.empty()) canvas.span(x, steps, intervals, kChartInterval);
    canvas.span(x, bulbs, stops, kChartBulb);
  }
  return picture;
}

}  // namespace kiro
