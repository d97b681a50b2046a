// The current time: fixed through the test hook, and against the system clock.
#include <gtest/gtest.h>

#include <ctime>

#include "port/clock.h"
#include "zone_env.h"

namespace {

constexpr uint64_t kEpochTicks = 116444736000000000ull;

TEST(Clock, FixedTimeReachesTimeAndFtime) {
  vt::test::ZoneScope zone("CET-1CEST");
  struct Case {
    uint64_t ticks;
    int64_t time;  // -1: invalid
    int millitm;
  } cases[] = {
      {kEpochTicks + 1716000000ull * 10000000 + 1234567, 1716000000, 123}, {kEpochTicks, 0, 0},
      {kEpochTicks + 4102444800ull * 10000000, -1, 0},  // 2100: beyond the range
  };
  for (const Case& c : cases) {
    vt::port::fix_time_for_tests(c.ticks);
    vt_time_t stored = 7;
    EXPECT_EQ(vt_time(&stored), static_cast<vt_time_t>(c.time));
    EXPECT_EQ(stored, static_cast<vt_time_t>(c.time));
    vt_timeb b;
    vt_ftime(&b);
    EXPECT_EQ(b.millitm, c.millitm);
    EXPECT_EQ(b.timezone, -60);
    EXPECT_EQ(b.dstflag, -1);
    if (c.time >= 0) {
      EXPECT_EQ(b.time, static_cast<vt_time_t>(c.time));
    }
  }
  vt::port::release_time_for_tests();
}

// With the system's zone (no "TZ"), time() is the C library's clock,
// whatever zone the machine is in (tests/time/tests.cmake runs it again
// under zones with daylight time).
TEST(Clock, TimeIsTheCLibrarysWithTheSystemZone) {
  vt::test::ZoneScope zone(nullptr);
  std::time_t before = std::time(nullptr);
  uint32_t t = static_cast<uint32_t>(vt_time(nullptr));
  std::time_t after = std::time(nullptr);
  EXPECT_GE(t, static_cast<uint32_t>(before));
  EXPECT_LE(t, static_cast<uint32_t>(after));
}

}  // namespace
