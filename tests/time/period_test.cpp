// Periods: the examples of the period rules by table; for a zone whose
// daylight time changes on the last Sundays of March and October, every
// calendar period's length equals the distance from its floor to the next
// period's start (blocks and shifts away from the days of a change);
// calendar selectors and week numbers against the C library and a
// civil-date library.
#include <gtest/gtest.h>

#include <random>

#include "veltra/period.h"
#include "zone_env.h"

#if !defined(_WIN32)
#include <date/date.h>
#endif

namespace {

using vt::test::local;

// Berlin's record: daylight time from the last Sunday of March 02:00 to the
// last Sunday of October 03:00.
class BerlinZone : public testing::Test {
  vt::test::SystemZoneScope zone_{"Berlin", -60, {3, 5, 2}, {10, 5, 3}, "CET-1CEST,M3.5.0,M10.5.0/3"};
};

TEST_F(BerlinZone, RuleExamples) {
  const vt_time_t utc1007 = local(2024, 5, 17, 12, 7, 30);  // 10:07:30 UTC
  struct Case { vt_time_t got, want; } cases[] = {
      {tmFloor(utc1007, 900), local(2024, 5, 17, 12)}, {tmCeil(utc1007, 900), local(2024, 5, 17, 12, 15)},
      {tmCeil(local(2024, 5, 17, 12, 15), 900), local(2024, 5, 17, 12, 15)},
      {tmFloor(local(2024, 5, 17, 14), VT_PERIOD_MONTH), local(2024, 5, 1)},
      {tmCeil(local(2024, 5, 17, 14), VT_PERIOD_MONTH), local(2024, 6, 1)},
      {tmCeil(local(2024, 5, 17, 17), 28800), local(2024, 5, 18)},
      {tmCeil(local(2024, 5, 17, 7), 28800), local(2024, 5, 17, 8)},
      {tmFloor(local(2024, 5, 17, 7, 30), 7200), local(2024, 5, 17, 6)},  // daylight: even local hours
      {tmFloor(local(2024, 5, 17, 7), 0), -1}, {tmCeil(local(2024, 5, 17, 7), -5), -1},
      {tmFloor(-1, VT_PERIOD_MONTH), -1},
      {tmCeil(static_cast<vt_time_t>(4102444800u), 86400), static_cast<vt_time_t>(4102444800u)},
      {tmPeriodLength(local(2024, 3, 31, 12), 86400, 1), 82800},
      {tmPeriodLength(local(2024, 3, 30, 12), 86400, 1), 86400},
      {tmPeriodLength(local(2024, 10, 27, 12), 86400, 1), 90000},
      {tmPeriodLength(local(2024, 10, 27, 12), 86400, 0), 86400},
      {tmPeriodLength(local(2024, 3, 26, 12), VT_PERIOD_WEEK, 1), 601200},
      {tmPeriodLength(local(2024, 3, 31, 1), 14400, 1), 10800},
      {tmPeriodLength(local(2024, 3, 31, 5), 14400, 1), 14400},
      {tmPeriodLength(local(2024, 10, 27, 1), 28800, 1), 32400},
      {tmPeriodLength(local(2024, 2, 10), VT_PERIOD_MONTH, 0), 2505600},
      {tmPeriodLength(local(2024, 3, 10), VT_PERIOD_MONTH, 1), 2674800},
      {tmPeriodLength(local(2024, 11, 10), VT_PERIOD_QUARTER, 1), 92 * 86400 + 3600},
      {tmPeriodLength(local(2024, 5, 10), VT_PERIOD_QUARTER, 1), 91 * 86400},
      {tmPeriodLength(local(2024, 5, 10), 1234, 1), 1234}, {tmPeriodLength(local(2024, 5, 10), -1, 1), -1},
      {tmPeriodLength(-1, VT_PERIOD_YEAR, 1), -1}, {tmv(6, local(2024, 5, 10), nullptr), 2024},
      {tmv(17, local(2024, 5, 10), nullptr), 3600}, {tmv(212, local(2024, 5, 10), nullptr), -1},
      {tmv(312, local(2024, 5, 10), nullptr), -1}, {tmv(27, local(2024, 5, 10), nullptr), -1},
      {tmv(23, local(2024, 3, 31, 12), nullptr), -3600}, {tmv(207, local(2024, 10, 27, 12), nullptr), 90000},
      {tmv(307, local(2024, 10, 27, 12), nullptr), local(2024, 10, 27)},
      {tmIsDaylightDay(local(2024, 3, 31, 12), nullptr), 1}, {tmIsDaylightDay(local(2024, 10, 27, 12), nullptr), -1},
      {tmIsDaylightDay(local(2024, 3, 24, 12), nullptr), 0},
  };
  int i = 0;
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << "case " << i++;
  EXPECT_EQ(tmv_dbl(17, 0, nullptr), 3600.0);
  EXPECT_EQ(tmv_dbl(16, -2, nullptr), -1.0);  // beyond the range: no breakdown
}

TEST(Periods, OffsetSelectorsKeepTheirSign) {
  vt::test::ZoneScope zone("EST5");
  EXPECT_EQ(tmv_dbl(17, 1000000, nullptr), -18000.0);
  EXPECT_EQ(tmv_dbl(16, 4000000000, nullptr), 4000000000.0);
}

TEST_F(BerlinZone, CalendarLengthsAreTheDistanceToTheNextStart) {
  const int32_t codes[] = {14400, 28800, 86400, VT_PERIOD_WEEK, VT_PERIOD_MONTH, VT_PERIOD_QUARTER,
                           VT_PERIOD_YEAR};
  std::mt19937 rng(31);
  std::uniform_int_distribution<uint32_t> any(400 * 86400, 4102444799u - 400 * 86400);
  for (int i = 0; i < 20000; ++i) {
    vt_time_t t = static_cast<vt_time_t>(any(rng));
    for (int32_t p : codes) {
      // Blocks and shifts step by their plain length: on the days of a
      // change the next one starts off the local grid.
      if (p <= 28800 && tmIsDaylightDay(t, nullptr) != 0) continue;
      uint32_t f = static_cast<uint32_t>(tmFloor(t, p));
      uint32_t next = static_cast<uint32_t>(tmCeil(static_cast<vt_time_t>(f + 1), p));
      ASSERT_LE(f, static_cast<uint32_t>(t));
      ASSERT_GT(next, static_cast<uint32_t>(t)) << t << " " << p;
      ASSERT_EQ(tmFloor(static_cast<vt_time_t>(next), p), static_cast<vt_time_t>(next));
      ASSERT_EQ(static_cast<int64_t>(next - f), tmPeriodLength(t, p, 1)) << t << " " << p;
    }
  }
}

#if !defined(_WIN32)
TEST_F(BerlinZone, SelectorsAndWeeksMatchTheCLibrary) {
  using namespace date;
  for (int64_t day = 0; day < 47482; ++day) {
    vt_time_t t = static_cast<vt_time_t>(day * 86400 + 43210);
    time_t v = static_cast<uint32_t>(t);
    ::tm w;
    localtime_r(&v, &w);
    char iso[8], monday[8];
    strftime(iso, sizeof iso, "%V", &w);
    strftime(monday, sizeof monday, "%W", &w);
    const vt_tm* r = vt_localtime(&t);
    ASSERT_EQ(lcWeekOfYear(r, 2), std::atoi(iso)) << t;
    int jan1_monday = (w.tm_wday - w.tm_yday % 7 + 7) % 7 == 1;
    ASSERT_EQ(lcWeekOfYear(r, 0), std::atoi(monday) + (jan1_monday ? 0 : 1)) << t;

    year_month_day ymd{sys_days{days{day}}};
    year_month_day local_date{local_days{year{w.tm_year + 1900} / (w.tm_mon + 1) / w.tm_mday}};
    local_days ld{local_date};
    local_days quarter_start{local_date.year() / month{unsigned(w.tm_mon / 3 * 3 + 1)} / 1};
    int32_t want[] = {
        w.tm_sec + 60 * w.tm_min + 3600 * w.tm_hour,
        w.tm_mday,
        w.tm_mon + 1,
        w.tm_year + 1900,
        w.tm_yday + 1,
        local_date.year().is_leap() ? 366 : 365,
        int(unsigned((local_date.year() / local_date.month() / last).day())),
        (w.tm_wday + 6) % 7,
        int((ld - quarter_start).count()) + 1,
        w.tm_isdst > 0,
    };
    const int selectors[] = {0, 4, 5, 6, 11, 12, 13, 24, 25, 18};
    for (int i = 0; i < 10; ++i) ASSERT_EQ(tmv(selectors[i], t, nullptr), want[i]) << t << " " << selectors[i];
    (void)ymd;
  }
}
#endif

}  // namespace
