// gmtime, mktimegm and the civil calendar against an independent civil-date
// library, for every day of the range; the fixed edge cases of the range.
#include <gtest/gtest.h>

#include <random>

#include "time/civil.h"
#include "veltra/timezone.h"

#if !defined(_WIN32)
#include <date/date.h>
#endif

namespace {

vt_tm* gm(uint32_t t) {
  vt_time_t v = static_cast<vt_time_t>(t);
  return vt_gmtime(&v);
}

#if !defined(_WIN32)
TEST(Calendar, EveryDayOfTheRangeMatchesTheCivilOracle) {
  using namespace date;
  const int32_t last = 47481;  // 2099-12-31
  for (int32_t n = 0; n <= last; ++n) {
    sys_days day{days{n}};
    year_month_day ymd{day};
    int y = int(ymd.year());
    int yday = (day - sys_days{year{y} / January / 1}).count();
    uint32_t noonish = static_cast<uint32_t>(n) * 86400u + 45296u;  // 12:34:56
    const vt_tm* r = gm(noonish);
    ASSERT_NE(r, nullptr) << n;
    ASSERT_EQ(r->tm_year + 1900, y) << n;
    ASSERT_EQ(r->tm_mon + 1, int(unsigned(ymd.month()))) << n;
    ASSERT_EQ(r->tm_mday, int(unsigned(ymd.day()))) << n;
    ASSERT_EQ(r->tm_yday, yday) << n;
    ASSERT_EQ(r->tm_wday, int(weekday{day}.c_encoding())) << n;
    ASSERT_EQ(r->tm_hour * 3600 + r->tm_min * 60 + r->tm_sec, 45296);
    ASSERT_EQ(vt::time::civil::days_from_year_day(r->tm_year, r->tm_yday), n);
    vt_tm copy = *r;
    ASSERT_EQ(static_cast<uint32_t>(mktimegm(&copy)), noonish) << n;
  }
}
#endif

TEST(Calendar, RangeEdges) {
  struct Case { uint32_t t; const char* want; int yday; } cases[] = {
      {0u, "Thu Jan 01 00:00:00 1970\n", 0},          {4102444799u, "Thu Dec 31 23:59:59 2099\n", 364},
      {2147483648u, "Tue Jan 19 03:14:08 2038\n", 18}, {951782400u, "Tue Feb 29 00:00:00 2000\n", 59},
  };
  for (const Case& c : cases) {
    const vt_tm* r = gm(c.t);
    ASSERT_NE(r, nullptr) << c.t;
    EXPECT_EQ(r->tm_yday, c.yday) << c.t;
    EXPECT_EQ(r->tm_isdst, 0);
    EXPECT_STREQ(vt_asctime(r), c.want);
  }
  EXPECT_EQ(gm(4102444800u), nullptr);
  EXPECT_EQ(gm(0xFFFFFFFFu), nullptr);
  EXPECT_EQ(vt_gmtime(nullptr), nullptr);
  vt_tm odd{5, 7, 9, 3, 12, 99, 7, 0, 0};  // month and weekday beyond the tables
  EXPECT_STREQ(vt_asctime(&odd), "??? ??? 03 09:07:05 1999\n");
  EXPECT_EQ(vt_asctime(nullptr), nullptr);
}

TEST(Calendar, MktimegmNormalisesAndRejects) {
  struct Case {
    int year, mon, mday, hour, min, sec;
    int64_t want;  // -1: rejected
  } cases[] = {
      {69, 12, 1, 0, 0, 0, 0},               // month 12 of 1969 is January 1970
      {70, -1, 1, 0, 0, 0, -1},              // December 1969: before the epoch
      {68, 0, 1, 0, 0, 0, -1},               // year below the range
      {70, 0, 1, 0, 0, -1, -1},              // one second before the epoch wraps
      {70, 0, 0, 24, 0, 0, 0},               // day 0 plus 24 hours
      {70, 0, 1, 0, 0, INT32_MAX, INT32_MAX},
      {199, 11, 31, 23, 59, 60, -1},         // 2100-01-01 00:00:00
      {70, 25, 1, 0, 0, 0, 65750400},        // month 25 is February 1972
      {70, 0, 1, INT32_MAX, 0, 0, -1},       // hour overflow
      {70, 0, INT32_MIN, 0, 0, 0, -1},       // day overflow
      {201, -12, 1, 0, 0, 0, -1},            // 2100 after normalising, beyond range
  };
  for (const Case& c : cases) {
    vt_tm r{c.sec, c.min, c.hour, c.mday, c.mon, c.year, 0, 0, 0};
    EXPECT_EQ(static_cast<int64_t>(static_cast<uint32_t>(mktimegm(&r))),
              c.want < 0 ? 0xFFFFFFFFll : c.want)
        << c.year << "-" << c.mon << "-" << c.mday;
  }
  vt_tm r{0, 0, 0, 1, 12, 69, 0, 0, 0};  // the fields come back normalised
  mktimegm(&r);
  EXPECT_EQ(r.tm_year * 100 + r.tm_mon, 7000);
}

TEST(Calendar, MktimegmInvertsGmtimeOnRandomSeconds) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<uint32_t> any(0, 4102444799u);
  for (int i = 0; i < 200000; ++i) {
    uint32_t t = any(rng);
    vt_tm r = *gm(t);
    ASSERT_EQ(static_cast<uint32_t>(mktimegm(&r)), t);
  }
}

}  // namespace
