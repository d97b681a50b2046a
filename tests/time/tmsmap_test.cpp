// tmsmap: value arithmetic by table; calendar shifts and floors against the
// C library's mktime (and a civil-date library for the week-year) under the
// same zone rules, at random times.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "veltra/tmsmap.h"
#include "zone_env.h"

#if !defined(_WIN32)
#include <date/date.h>
#include <date/iso_week.h>
#endif

namespace {

TEST(Tmsmap, ValueArithmetic) {
  struct Case { double got, want; } cases[] = {
      {tmsmap(vt_time_t{1000}, int16_t{250}), 1000.25}, {tmsmap::conv(1000, 250), 1000.25},
      {tmsmap(vt_time_t{-1}), -1.0}, {tmsmap::conv(-1, 500), -1.0}, {tmsmap(vt_time_t{-2}), 4294967294.0},
      {tmsmap(10.5) / int32_t{2}, 5250.0}, {tmsmap(10.5) * int32_t{2}, 21.0}, {tmsmap(10.5) * int32_t{-1}, -1.0},
      {tmsmap(10.5) * int32_t{-2}, 10.5 * 4294967294.0}, {tmsmap(10.5) * 0.5, 5.25},
      {tmsmap(10.5) + tmsmap(1.25), 11.75}, {tmsmap(10.5) - tmsmap(1.25), 9.25},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.got, c.want);
  EXPECT_EQ(!tmsmap(1000.25), 1000);
  EXPECT_EQ(~tmsmap(1000.25), 250);
  EXPECT_EQ(!tmsmap(-0.5), -1);
  EXPECT_EQ(!tmsmap(NAN), -1);
  EXPECT_EQ(!tmsmap(4294967296.0 + 5), 5);
  EXPECT_EQ(~tmsmap(1e300), 0);
  EXPECT_FALSE(tmsmap(1.0).eq(tmsmap(1.0000001)));
  EXPECT_TRUE(tmsmap(1.0).ne(tmsmap(1.0000001)));
  EXPECT_TRUE(tmsmap(NAN).ne(tmsmap(NAN)));
  EXPECT_TRUE(tmsmap(1.0).lt(tmsmap(2.0)));
  EXPECT_TRUE(tmsmap(2.0).gt(tmsmap(1.0)));
}

using vt::test::local;

TEST(Tmsmap, CalendarCases) {
  vt::test::ZoneScope zone("CET-1CEST");
  struct Shift { vt_time_t from; int d, w, m, q, y; vt_time_t want; } shifts[] = {
      {local(2024, 1, 31), 0, 0, 1, 0, 0, local(2024, 3, 2)}, {local(2023, 1, 31), 0, 0, 1, 0, 0, local(2023, 3, 3)},
      {local(2024, 3, 15), 0, 0, 1, 0, 0, local(2024, 4, 15)},
      {local(2024, 1, 15), 0, 0, -1, 0, 0, local(2023, 12, 15)},
      {local(2024, 1, 15), 0, 0, -25, 0, 0, local(2021, 12, 15)},
      {local(2024, 5, 17, 14), 3, 1, 0, 1, 1, local(2025, 8, 27, 14)}, {local(2099, 12, 31, 2), 1, 0, 0, 0, 0, -1},
  };
  for (const Shift& s : shifts) {
    tmsmap v(s.from, int16_t{250});
    bool ok = v.addne(s.d, s.w, s.m, s.q, s.y);
    EXPECT_EQ(ok, s.want != -1) << s.from;
    EXPECT_EQ(!v, ok ? s.want : s.from) << s.from;
    EXPECT_EQ(~v, 250);
  }
  tmsmap back(local(2024, 4, 8));
  EXPECT_TRUE(back.subne(1, 0, 0, 0, 0));
  EXPECT_EQ(!back, local(2024, 4, 7));
  tmsmap none(-1.0);
  EXPECT_FALSE(none.addne(1, 0, 0, 0, 0));
  EXPECT_DOUBLE_EQ(double(none), -1.0);
  // Extreme counts either way (under UBSan: no signed overflow) leave the range.
  for (int n : {INT_MIN, INT_MAX}) {
    for (int unit = 0; unit < 5; ++unit) {
      int c[5] = {};
      c[unit] = n;
      tmsmap v(local(2024, 5, 17));
      EXPECT_FALSE(v.subne(c[0], c[1], c[2], c[3], c[4])) << n << " unit " << unit;
      EXPECT_FALSE(v.addne(c[0], c[1], c[2], c[3], c[4])) << n << " unit " << unit;
      EXPECT_EQ(!v, local(2024, 5, 17));
    }
  }

  struct Floor { vt_time_t from; tmsmap::floormode mode; vt_time_t want; } floors[] = {
      {local(2024, 5, 17, 17, 30), tmsmap::floor_shift8, local(2024, 5, 17, 16)},
      {local(2024, 5, 17, 7, 59), tmsmap::floor_shift8, local(2024, 5, 17)},
      {local(2024, 5, 17, 23, 59), tmsmap::floor_shift4, local(2024, 5, 17, 20)},
      {local(2024, 8, 20, 9), tmsmap::floor_quarter, local(2024, 7, 1)},
      {local(2024, 8, 20, 9), tmsmap::floormode(42), local(2024, 8, 1)},
  };
  for (const Floor& f : floors) {
    tmsmap v(f.from, int16_t{999});
    EXPECT_TRUE(v.floorne(f.mode));
    EXPECT_DOUBLE_EQ(double(v), double(static_cast<uint32_t>(f.want))) << f.mode;
  }
  tmsmap x(1000.999);
  EXPECT_TRUE(x.floorne(tmsmap::floor_second));
  EXPECT_DOUBLE_EQ(double(x), 1000.0);
  EXPECT_EQ(tmsmap().daypermonth(local(2024, 2, 10)), 29);
  EXPECT_EQ(tmsmap(double(static_cast<uint32_t>(local(2023, 2, 10)))).daypermonth(), 28);
  EXPECT_EQ(tmsmap(-1.0).daypermonth(), -1);
}

TEST(Tmsmap, HourFloorIsTheUtcHour) {
  vt::test::ZoneScope zone("IST-5:30");
  tmsmap v(local(2024, 5, 17, 10, 45));
  EXPECT_TRUE(v.floorne(tmsmap::floor_hour));
  EXPECT_EQ(!v, local(2024, 5, 17, 10, 30));
}

#if !defined(_WIN32)
using vt::test::libc_local;

// The C library's mktime of a local calendar day's midnight.
int64_t libc_midnight(date::local_days day) {
  date::year_month_day ymd{day};
  ::tm r{};
  r.tm_year = int(ymd.year()) - 1900;
  r.tm_mon = int(unsigned(ymd.month())) - 1;
  r.tm_mday = int(unsigned(ymd.day()));
  r.tm_isdst = -1;
  return mktime(&r);
}

// Shifts against the C library's mktime of its own local fields after the
// change; floors against the midnight of the day a civil-date library names.
TEST(Tmsmap, ShiftsAndFloorsMatchTheCLibrary) {
  using namespace date;
  vt::test::ZoneScope zone("EST5EDT", "EST5EDT,M4.1.0/2,M10.5.0/2");
  std::mt19937 rng(8);
  std::uniform_int_distribution<uint32_t> any(86400 * 40, 4102444799u - 86400 * 800);
  std::uniform_int_distribution<int> small(-40, 40);
  for (int i = 0; i < 20000; ++i) {
    const vt_time_t t = static_cast<vt_time_t>(any(rng));
    const ::tm lt = libc_local(static_cast<uint32_t>(t));
    const int d = small(rng), m = small(rng) / 4, y = small(rng) / 8;
    ::tm shifted = lt;
    shifted.tm_mday += d, shifted.tm_mon += m, shifted.tm_year += y, shifted.tm_isdst = -1;
    const int64_t want = mktime(&shifted);
    // Keep clear of the hour around a change: glibc and the library resolve
    // wall clocks that fall into it differently.
    if (libc_local(want - 3600).tm_isdst != libc_local(want + 3600).tm_isdst) continue;
    tmsmap v(t);
    const bool in_range = want >= 0 && want <= 4102444799;
    ASSERT_EQ(in_range, v.addne(d, 0, m, 0, y)) << t;
    if (in_range) {
      ASSERT_EQ(!v, static_cast<vt_time_t>(want)) << t << " " << d << " " << m << " " << y;
    }

    const local_days day{year{lt.tm_year + 1900} / (lt.tm_mon + 1) / lt.tm_mday};
    const year_month_day ymd{day};
    const local_days weekyear{iso_week::year_weeknum_weekday{iso_week::year{int(ymd.year())}, iso_week::weeknum{1},
                                                             iso_week::mon}};
    const std::pair<tmsmap::floormode, local_days> floors[] = {
        {tmsmap::floor_day, day},
        {tmsmap::floor_week, day - (weekday{day} - Monday)},
        {tmsmap::floor_month, local_days{ymd.year() / ymd.month() / 1}},
        {tmsmap::floor_year, local_days{ymd.year() / January / 1}},
        {tmsmap::floor_weekyear, weekyear},
    };
    for (const auto& [mode, start] : floors) {
      tmsmap x(t);
      ASSERT_TRUE(x.floorne(mode));
      ASSERT_EQ(!x, static_cast<vt_time_t>(libc_midnight(start))) << t << " mode " << mode;
    }
  }
}
#endif

}  // namespace
