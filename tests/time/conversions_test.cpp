// Tick, double-second and calendar-field conversions: the fixed points of the
// tick arithmetic, round trips, and fields against gmtime/localtime.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "port/clock.h"
#include "veltra/timeconv.h"
#include "zone_env.h"

namespace {

constexpr uint64_t kEpochTicks = 116444736000000000ull;

FILETIME ft(uint64_t ticks) {
  return FILETIME{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}
uint64_t ticks(FILETIME f) { return (uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime; }

TEST(Conversions, TickArithmetic) {
  struct Case {
    uint64_t ticks;
    int64_t seconds;  // FILETIMEToTime_t, as unsigned 32 bits; -1 invalid
    double dbl;       // FILETIMEToDouble
  } cases[] = {
      {kEpochTicks, 0, 0.0}, {0, -1, -1.0}, {kEpochTicks + 12345678, 1, 1.234}, {kEpochTicks - 10000000, -1, -1.0},
      {kEpochTicks + 4294967295ull * 10000000, -1, -1.0},
      {kEpochTicks + 4294967294ull * 10000000, 4294967294, 4294967294.0},
      {kEpochTicks - 1, 0, 0.0},  // truncated toward zero: less than a second before
      // 2^63 and more are negative as signed counts (under UBSan: no overflow).
      {0xFFFFFFFFFFFFFFFFull, -1, -1.0}, {0x8000000000000000ull, -1, -1.0},
      {0x7FFFFFFFFFFFFFFFull, -1, -1.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<uint32_t>(FILETIMEToTime_t(ft(c.ticks))),
              static_cast<uint32_t>(c.seconds))
        << c.ticks;
    EXPECT_DOUBLE_EQ(FILETIMEToDouble(ft(c.ticks)), c.dbl) << c.ticks;
  }
  EXPECT_EQ(ticks(Time_tToFILETIME(0)), kEpochTicks);
  EXPECT_EQ(ticks(Time_tToFILETIME(-1)), 0u);
  EXPECT_EQ(ticks(Time_tToFILETIME(-2)), kEpochTicks + 4294967294ull * 10000000);

  struct Back { double seconds; uint64_t ticks; } back[] = {
      {1.9999, kEpochTicks + 10000000 + 9990000}, {-0.5, 0}, {0.0, kEpochTicks}, {NAN, 0}, {4294967296.0, 0},
      {1e300, 0}, {4294967295.5, kEpochTicks + 4294967295ull * 10000000 + 5000000},
  };
  for (const Back& b : back) EXPECT_EQ(ticks(DoubleToFILETIME(b.seconds)), b.ticks) << b.seconds;
}

TEST(Conversions, DoubleSecondsRoundTripToTheMillisecond) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<uint32_t> sec(0, 4294967294u);
  std::uniform_int_distribution<int> ms(0, 999);
  for (int i = 0; i < 100000; ++i) {
    uint32_t s = sec(rng);
    int m = ms(rng);
    double v = s + m / 1000.0;
    double back = FILETIMEToDouble(DoubleToFILETIME(v));
    ASSERT_EQ(static_cast<uint32_t>(back), s);
    ASSERT_EQ(std::lround((back - s) * 1000), std::lround((v - s) * 1000)) << v;
  }
}

TEST(Conversions, SystemTimeFieldsFollowTheBreakdowns) {
  vt::test::ZoneScope zone("CET-1CEST");
  std::mt19937 rng(9);
  std::uniform_int_distribution<uint32_t> any(0, 4102444799u);
  for (int i = 0; i < 20000; ++i) {
    vt_time_t t = static_cast<vt_time_t>(any(rng));
    for (bool local : {false, true}) {
      SYSTEMTIME st;
      ASSERT_EQ(Time_tToSYSTEMTIME(t, 1500, st, local), 1);
      const vt_tm* r = local ? vt_localtime(&t) : vt_gmtime(&t);
      ASSERT_EQ(st.wYear, r->tm_year + 1900);
      ASSERT_EQ(st.wMonth, r->tm_mon + 1);
      ASSERT_EQ(st.wDay, r->tm_mday);
      ASSERT_EQ(st.wHour * 3600 + st.wMinute * 60 + st.wSecond,
                r->tm_hour * 3600 + r->tm_min * 60 + r->tm_sec);
      ASSERT_EQ(st.wDayOfWeek, 65535);
      ASSERT_EQ(st.wMilliseconds, 1500);
      int16_t ms = 0;
      if (local && r->tm_isdst > 0) continue;  // the repeated hour reads as standard time
      ASSERT_EQ(SYSTEMTIMEToTime_t(st, local, &ms), t);
      ASSERT_EQ(ms, 1500);
    }
  }
  SYSTEMTIME untouched{1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Time_tToSYSTEMTIME(static_cast<vt_time_t>(4102444800u), 0, untouched, false), 0);
  EXPECT_EQ(untouched.wYear, 1);
  SYSTEMTIME bad{1960, 1, 0, 1, 0, 0, 0, 321};
  int16_t ms = 0;
  EXPECT_EQ(SYSTEMTIMEToTime_t(bad, false, &ms), -1);
  EXPECT_EQ(ms, 321);
}

TEST(Conversions, FileTimeOfAFreshFileAndOfNothing) {
  const char* path = "vt_filetime_probe.tmp";
  std::FILE* f = std::fopen(path, "w");
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  std::fclose(f);
  uint64_t now_ticks = vt::port::system_ticks();
  int64_t now = static_cast<int64_t>((now_ticks - kEpochTicks) / 10000000);
  EXPECT_NEAR(static_cast<double>(static_cast<uint32_t>(FileTime(path))), double(now), 5.0);
  std::remove(path);
  EXPECT_EQ(FileTime(path), -1);
  EXPECT_EQ(FileTime(nullptr), -1);
}

}  // namespace
