// The current time: fixed through the test hook, and against the system clock.
#include <gtest/gtest.h>

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

TEST(Clock, TimeFollowsTheSystemClock) {
  vt::test::ZoneScope zone("UTC0", "UTC0");
  int64_t system = static_cast<int64_t>((vt::port::system_ticks() - kEpochTicks) / 10000000);
  EXPECT_NEAR(double(static_cast<uint32_t>(vt_time(nullptr))), double(system), 2.0);
}

}  // namespace
