#include "plan/sun_events.h"

#include <gtest/gtest.h>

#include "platform/sim/virtual_run_loop.h"
#include "platform/sim/virtual_wall_clock.h"
#include "tests/support/failure.h"

namespace kiro {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

struct AlmanacDay {
  Location where;
  sys_days day;
  seconds zone;  // the almanac's local time: UTC plus this
  SunEvent event;
  minutes published;  // local time after midnight, to the minute
};

// From the U.S. Naval Observatory's "Sun and Moon Data for One Day": Washington, DC
// (38.9 N, 77.0 W) on 1 January 2008 in EST; Mauna Kea (19 49' N, 155 29' W) on 15 July
// 2003 in HST, whose evening is the next day in UTC; 0 N 0 E on 20 November 2004 in UTC.
const AlmanacDay kAlmanac[] = {
    {{38.9, -77.0}, January / 1 / 2008, -5h, SunEvent::civilDawn, 6h + 57min},
    {{38.9, -77.0}, January / 1 / 2008, -5h, SunEvent::sunrise, 7h + 27min},
    {{38.9, -77.0}, January / 1 / 2008, -5h, SunEvent::sunset, 16h + 56min},
    {{38.9, -77.0}, January / 1 / 2008, -5h, SunEvent::civilDusk, 17h + 26min},
    {{19.816667, -155.483333}, July / 15 / 2003, -10h, SunEvent::civilDawn, 5h + 27min},
    {{19.816667, -155.483333}, July / 15 / 2003, -10h, SunEvent::sunrise, 5h + 51min},
    {{19.816667, -155.483333}, July / 15 / 2003, -10h, SunEvent::sunset, 19h + 4min},
    {{19.816667, -155.483333}, July / 15 / 2003, -10h, SunEvent::civilDusk, 19h + 28min},
    {{0, 0}, November / 20 / 2004, 0h, SunEvent::sunrise, 5h + 42min},
    {{0, 0}, November / 20 / 2004, 0h, SunEvent::sunset, 17h + 49min},
};

TEST(SunEvents, AgreeWithThePublishedAlmanacWithinAMinute) {
  VirtualRunLoop loop;
  for (const auto& almanac : kAlmanac) {
    VirtualWallClock clock(loop);
    clock.setOffset(WallTime{}, almanac.zone);
    const auto at = sunEventOn(almanac.event, almanac.where, almanac.day, clock);
    const std::string what = std::string(sunEventName(almanac.event)) + " at " + locationWords(almanac.where);
    ASSERT_TRUE(at.ok()) << what << ": " << failure(at);
    const WallTime published = almanac.day + almanac.published - almanac.zone;
    EXPECT_LE(abs(at.value() - published), 1min) << what;
  }
}

// Polar night and spring's white nights in Tromso, and the white nights of Helsinki: the day is
// refused with the event, the date, the place and which way the sun stays.
TEST(SunEvents, ADayWithoutTheEventIsRefusedWithWhy) {
  VirtualRunLoop loop;
  VirtualWallClock clock(loop);
  clock.setOffset(WallTime{}, 1h);
  EXPECT_EQ(failure(sunEventOn(SunEvent::sunrise, {69.65, 18.96}, December / 21 / 2027, clock)),
            "no sunrise on 2027-12-21 at 69.65 18.96: the sun stays below -0.83\xC2\xB0");
  // The last astronomical dusk of spring there is late on 26 March: the 27th has none, though
  // a search from its midnight lands on the 26th's.
  EXPECT_EQ(failure(sunEventOn(SunEvent::astroDusk, {69.65, 18.96}, March / 27 / 2027, clock)),
            "no astro-dusk on 2027-03-27 at 69.65 18.96: the sun stays above -18\xC2\xB0");
  clock.setOffset(WallTime{}, 3h);
  EXPECT_EQ(failure(sunEventOn(SunEvent::astroDusk, {60.17, 24.94}, June / 21 / 2027, clock)),
            "no astro-dusk on 2027-06-21 at 60.17 24.94: the sun stays above -18\xC2\xB0");
  EXPECT_TRUE(sunEventOn(SunEvent::sunset, {60.17, 24.94}, June / 21 / 2027, clock).ok());
}

}  // namespace
}  // namespace kiro
