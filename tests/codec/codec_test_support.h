#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
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
  explicit ZoneScope(const char* zone) {
    if (const char* current = std::getenv("TZ")) previous_ = current;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ZoneScope() {
    if (previous_) ::setenv("TZ", previous_->c_str(), 1);
    if (!previous_) ::unsetenv("TZ");
    ::tzset();
  }
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;

 private:
  std::optional<std::string> previous_;
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
