#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "codec/date.h"
#include "tests/support/logged_platform.h"

namespace kiro::test {

// Points the process's time zone (the TZ variable) at zone for its lifetime, the way
// the device's zone setting would.
class ZoneScope {
 public:
  explicit ZoneScope(const char* zone) : previous_(std::getenv("TZ") ? std::getenv("TZ") : "") { use(zone); }
  ~ZoneScope() { use(previous_.empty() ? nullptr : previous_.c_str()); }
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;

 private:
  // zone: null for none, the system's own.
  static void use(const char* zone) {
    zone ? ::setenv("TZ", zone, 1) : ::unsetenv("TZ");
    ::tzset();
  }
  std::string previous_;
};

// The instant of a wall-clock reading offsetMinutes east of GMT.
inline Date instantAt(int year, unsigned month, unsigned day, int hour, int minute, int second,
                      int offsetMinutes = 0) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
  return Date{date + hours{hour} + minutes{minute - offsetMinutes} + seconds{second}};
}

// Checks convert(input) against each expected output; a failure names its input.
template <typename In, typename Out, typename Convert>
void expectEach(Convert convert, const std::vector<std::pair<In, Out>>& cases) {
  for (const auto& [input, expected] : cases) EXPECT_EQ(convert(input), expected) << testing::PrintToString(input);
}

}  // namespace kiro::test
