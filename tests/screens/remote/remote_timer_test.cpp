#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sound.h"
#include "platform/wall_clock.h"
#include "tests/screens/remote/remote_fixture.h"

namespace kiro::remote_test {
namespace {

using Mode = ShootingPlan::Mode;
using State = ShootingStatus::State;

using TimedShootingTest = RemoteScreenFixture;

// A start time is the next such local time, across midnight and a change to summer time:
// 03:30 on the night the clocks go from 02:00 to 03:00 is three hours after 23:30.
TEST_F(TimedShootingTest, AStartTimeIsTheWallClockTimeChosenAcrossMidnightAndADaylightSavingChange) {
  using std::chrono::sys_days;
  VirtualWallClock clock(loop, sys_days{std::chrono::March / 27 / 2027} + 22h + 30min - loop.now());
  clock.setOffset(sys_days{std::chrono::January / 1 / 2027}, 1h);
  clock.setOffset(sys_days{std::chrono::March / 28 / 2027} + 1h, 2h);
  const WallClockScope scope(clock);
  EXPECT_EQ(untilTimeOfDay(clock, 23 * 60), 22h + 30min);
  // The night the clocks go back from 03:00 to 02:00, at 02:45: the repeated 02:30 is next.
  VirtualWallClock autumn(loop, sys_days{std::chrono::October / 31 / 2027} + 45min - loop.now());
  autumn.setOffset(sys_days{std::chrono::January / 1 / 2027}, 2h);
  autumn.setOffset(sys_days{std::chrono::October / 31 / 2027} + 1h, 1h);
  EXPECT_EQ(untilTimeOfDay(autumn, 2 * 60 + 30), 45min);
  EXPECT_EQ(untilTimeOfDay(autumn, 2 * 60 + 50), 5min);
  auto& receiver = loadAndConnect();
  ShootingPlan plan{Mode::interval, {}, 1s, 1h, 2};
  plan.at = StartTime{std::nullopt, 3 * 60 + 30, {}};
  ASSERT_TRUE(remote->startTimedShooting(plan).ok());
  const auto& status = remote->timedShooting();
  EXPECT_EQ(localTimeOfDay(clock, status.firstAt, loop.now()), "03:30");
  EXPECT_EQ(localTimeOfDay(clock, *status.endsAt, loop.now()), "04:30");
  EXPECT_EQ(remote->timerLine()->text(), "Shot 0 of 2, next in 2 h 59 min 58 s");
  EXPECT_EQ(remote->timerEndLine()->text(), "Ends about 04:30 tomorrow, 4 h left");
  loop.advance(status.firstAt - loop.now() - 1ms);
  EXPECT_EQ(status.shot, 0);
  receiver.clearWrites();
  loop.advance(26ms);
  EXPECT_EQ(status.shot, 1);
  ASSERT_FALSE(receiver.writes().empty());
  EXPECT_EQ(receiver.writes().front().bytes, Bytes{0x30});
}

// A start at a sun event is its next moment at the kept location: today's while it is to come,
// yesterday's while its offset has not yet passed, tomorrow's across the change to summer time.
// Without a usable location, or where the event does not come for days, the plan is refused.
TEST_F(TimedShootingTest, ASunStartIsItsNextMomentAtTheKeptLocationAcrossSummerTime) {
  using std::chrono::sys_days;
  VirtualWallClock clock(loop, sys_days{std::chrono::March / 27 / 2027} + 11h - loop.now());
  clock.setOffset(sys_days{std::chrono::January / 1 / 2027}, 1h);
  clock.setOffset(sys_days{std::chrono::March / 28 / 2027} + 1h, 2h);
  const WallClockScope scope(clock);
  const auto startsAt = [&](const std::string& at) {
    ShootingPlan plan{Mode::self, {}, {}, {}, {}};
    plan.at = parseStartTime(at).value();
    const auto started = remote->startTimedShooting(plan);
    const std::string shown = started.ok() ? localTimeOfDay(clock, remote->timedShooting().firstAt, loop.now())
                                           : started.error().message;
    remote->stopTimedShooting();
    return shown;
  };
  EXPECT_EQ(startsAt("sunset+20m"), "a start at sunset+20m needs a location: location LAT LON");
  defaults.set("location", std::string("Zurich"));
  EXPECT_EQ(startsAt("sunset+20m"),
            "a start at sunset+20m needs a location, and the one kept cannot be used: a location is LAT LON in degrees "
            "with at most 6 decimals, such as 47.37 8.54: not Zurich");
  keepLocation(defaults, Location{47.37, 8.54});
  // Sunset in Zurich is at 18:46 on the 27th, 19:47 summer time on the 28th.
  EXPECT_EQ(startsAt("sunset+20m"), "19:06");
  loop.advance(9h);
  EXPECT_EQ(startsAt("sunset+20m"), "20:07");
  EXPECT_EQ(startsAt("sunset-20m"), "19:27");
  loop.advance(3h + 30min);
  EXPECT_EQ(startsAt("sunset+6h"), "00:46");
  keepLocation(defaults, Location{69.65, 18.96});
  EXPECT_EQ(startsAt("astro-dusk"), "no astro-dusk on 2027-03-28 at 69.65 18.96: the sun stays above -18\xC2\xB0");
}

// The 1,000th shot of a 2 s interval starts where the plan put it, not where 999 late
// starts would have pushed it.
TEST_F(TimedShootingTest, EachShotStartsWithinAPumpPeriodOfItsPlannedTimeWithoutDrift) {
  auto& receiver = loadAndConnect();
  const Millis start = loop.now();
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, 3s, std::nullopt, 2s, 1000}).ok());
  for (const int shot : {0, 999}) {
    const Millis planned = start + 3s + shot * 2s;
    while (loop.now() + 100s < planned) {
      loop.advance(100s);
      receiver.clearWrites();
    }
    loop.advance(planned - loop.now());
    receiver.clearWrites();
    loop.advance(25ms);
    ASSERT_FALSE(receiver.writes().empty()) << shot;
    EXPECT_EQ(receiver.writes().front().bytes, Bytes{0x30}) << shot;
    EXPECT_LE(receiver.writes().front().time - planned, 25ms) << shot;
  }
  loop.advance(3s);
  EXPECT_EQ(remote->timedShooting().state, State::done);
  EXPECT_EQ(remote->timedShooting().shot, 1000);
}

// A bulb holds R for exactly its time, then the notice follows as after a hand; a stop
// drops the shots to come and lets the bulb under way end as planned, a second stop lets it
// go at once; a hand on F or R does nothing to a sequence and the screen says why.
TEST_F(TimedShootingTest, ABulbHoldsRForItsTimeAndOnlyStopEndsTheSequence) {
  auto& receiver = loadAndConnect();
  ASSERT_TRUE(remote->startTimedShooting({Mode::bulb, 100ms, 500ms, {}, {}}).ok());
  loop.advance(99ms);
  EXPECT_EQ(takeBytes(receiver), Bytes{});
  loop.advance(2ms);
  EXPECT_EQ(r->image(ControlState::normal), "拍照点击.png") << "a series' shot is drawn held";
  loop.advance(500ms);
  EXPECT_EQ(r->image(ControlState::normal), "拍照.png");
  Bytes held(20, 0x30);
  held.push_back(0x40);  // the release notice
  EXPECT_EQ(takeBytes(receiver), held);
  EXPECT_EQ(remote->timedShooting().state, State::done);

  loop.advance(2s);
  takeBytes(receiver);
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, {}, 1s, 3s, {}}).ok());
  loop.advance(500ms);
  remote->stopTimedShooting();
  EXPECT_EQ(remote->byteArray().text(), "00110000");
  EXPECT_FALSE(remote->timedShooting().nextAt);
  loop.advance(499ms);
  EXPECT_TRUE(remote->shutterHeld());
  loop.advance(1ms);
  EXPECT_EQ(remote->byteArray().text(), "01000000");
  loop.advance(5s);
  EXPECT_EQ(remote->timedShooting().shot, 1);
  EXPECT_EQ(remote->timedShooting().state, State::stopped);

  ASSERT_TRUE(remote->startTimedShooting({Mode::bulb, {}, 10s, {}, {}}).ok());
  loop.advance(100ms);
  remote->stopTimedShooting();
  remote->stopTimedShooting();
  EXPECT_EQ(remote->byteArray().text(), "01000000");
  EXPECT_EQ(remote->timedShooting().state, State::stopped);

  ASSERT_TRUE(remote->startTimedShooting({Mode::self, 1s, {}, {}, {}}).ok());
  touch("F");
  touch("R");
  EXPECT_EQ(remote->timedShooting().state, State::planned);
  EXPECT_FALSE(f->isSelected());
  EXPECT_EQ(remote->timerLine()->text(), "A series is running: Stop first");
  loop.advance(2s);
  EXPECT_EQ(remote->timedShooting().shot, 1);
}

// The schedule keeps going while the receiver is away; a shot due then is missed. The end
// line counts the series' own shots and misses, and the log's row holds its own shot's lamps.
TEST_F(TimedShootingTest, AShotDueWhileTheReceiverIsAwayIsMissedAndTheNextOneGoes) {
  const auto folder = std::filesystem::path(testing::TempDir()) / "kiro-missed-shots";
  std::filesystem::remove_all(folder);
  remote->setShotLogFolder(folder);
  auto& receiver = loadAndConnect();
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, {}, {}, 3s, 3}).ok());
  loop.advance(30ms);
  remote->change2({false, false, true, false});  // red, while the first shot holds
  loop.advance(970ms);
  receiver.simulateOutOfRange();
  loop.advance(3s);
  EXPECT_EQ(remote->timedShooting().missed, 1);
  EXPECT_EQ(remote->timerEndLine()->text(), "Not connected: shots are missed until it is");
  receiver.simulateBackInRange();
  loop.advance(2300ms);
  EXPECT_EQ(remote->timedShooting().state, State::done);
  EXPECT_EQ(remote->timedShooting().shot, 3);
  EXPECT_EQ(remote->timedShooting().missed, 1);
  const auto first = remote->shotLog().path();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(remote->timerEndLine()->text(), "3 shots, 1 missed; log: " + first.string());

  // A link that drops for a moment under a bulb makes that shot short, not taken.
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, {}, 2s, 4s, 2}).ok());
  loop.advance(100ms);
  receiver.simulateDisconnection();
  loop.advance(4s);
  EXPECT_EQ(remote->timedShooting().cut, 1);
  loop.advance(4s);
  EXPECT_EQ(remote->timedShooting().state, State::done);
  EXPECT_EQ(remote->timedShooting().cut, 1);
  EXPECT_EQ(remote->timerLine()->text(), "Done: 2 shots, 1 short");
  EXPECT_EQ(remote->timerEndLine()->text(), "2 shots, 1 missed; log: " + remote->shotLog().path().string());

  remote.reset();  // the log's last rows are written
  std::ifstream log(first);
  std::vector<std::string> lamps;
  for (std::string row; std::getline(log, row);) {
    std::istringstream fields(row);
    std::string lamp;
    for (int field = 0; field <= 6; ++field) std::getline(fields, lamp, ',');
    lamps.push_back(lamp);
  }
  EXPECT_EQ(lamps, (std::vector<std::string>{"lamps", "red", "", ""}));
  std::filesystem::remove_all(folder);
}

// Once turned on, a tick each second of the last three before a shot and a tone as each
// starts; none for a shot missed; where nothing can play, said once.
TEST_F(TimedShootingTest, TheCountdownIsHeardOnlyWhenOnAndSilenceIsSaidOnce) {
  struct Recorded final : Sound {
    std::vector<std::pair<Millis, Cue>> cues;
    VirtualRunLoop* loop = nullptr;
    void play(Cue cue) override { cues.emplace_back(loop->now(), cue); }
  } recorded;
  recorded.loop = &loop;
  const SoundScope scope(recorded);
  auto& receiver = loadAndConnect();
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, 5s, {}, 3s, 3}).ok());
  loop.advance(1s);
  EXPECT_TRUE(recorded.cues.empty());
  AudibleCountdown::setOn(true);
  remote->stopTimedShooting();
  const Millis start = loop.now();
  ASSERT_TRUE(remote->startTimedShooting({Mode::interval, 5s, {}, 3s, 3}).ok());
  loop.advance(7500ms);
  receiver.simulateOutOfRange();  // the shot at 8 s is missed
  loop.advance(3s);
  using Cue = Sound::Cue;
  const std::vector<std::pair<Millis, Cue>> heard{{2s, Cue::tick}, {3s, Cue::tick}, {4s, Cue::tick}, {5s, Cue::shot},
                                                   {6s, Cue::tick}, {7s, Cue::tick}, {9s, Cue::tick}, {10s, Cue::tick}};
  ASSERT_EQ(recorded.cues.size(), heard.size());
  for (std::size_t i = 0; i < heard.size(); ++i)
    EXPECT_EQ(recorded.cues[i], std::pair(start + heard[i].first, heard[i].second)) << i;

  SilentSound silent("no audio output found", notices);
  silent.play(Cue::tick);
  silent.play(Cue::shot);
  EXPECT_EQ(notices.said, std::vector<std::string>{"the countdown is silent: no audio output found"});
}

}  // namespace
}  // namespace kiro::remote_test
