#include "plan/durations.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/failure.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

TEST(TypedDuration, EachFormReadsAndWhatCannotBeReadSaysWhy) {
  const std::pair<const char*, Millis> read[] = {
      {"500ms", 500ms}, {"10s", 10s},       {"0.13s", 130ms},   {"2m", 2min},   {"1h30m", 90min},
      {"1:30:00", 90min}, {"4:05", 245s}, {"1h2m3s4ms", 3723004ms}, {"99h", 99h},
  };
  for (const auto& [text, value] : read) EXPECT_EQ(parseDuration(text).value(), value) << text;
  for (const char* bad : {"", "10", "s", "1.5", "2m1h", "1s1s", "0.0001s", "0.0001m", "1:60", "1:2:3:4", "100h", "99h1ms", "3 s", "-1s", "1x"})
    EXPECT_NE(failure(parseDuration(bad)), "") << bad;
  // What is written reads back as the same length.
  for (const Millis length : std::vector<Millis>{130ms, 1600ms, 90min, 2h + 5min + 30s, 99h})
    EXPECT_EQ(parseDuration(durationWords(length)).value(), length) << durationText(length);
  EXPECT_EQ(durationText(2h + 5min + 1300ms), "2 h 5 min 1.3 s");
}

}  // namespace
}  // namespace kiro
