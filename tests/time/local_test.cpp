// localtime and mktime against the C library's localtime_r and mktime under
// equivalent POSIX rule strings: every transition of 1970-2099 and the hours
// around it, the ends of the range, and random seconds. The zone comes from
// "TZ" (fixed rules) or from a system zone record given through the seam.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "time/zone.h"
#include "zone_env.h"

namespace {

constexpr uint32_t kMax = 4102444799u;

#if !defined(_WIN32)

using vt::test::libc_local;

// The instants where the C library's daylight flag changes, found by a day
// scan and a binary search.
std::vector<int64_t> libc_transitions() {
  std::vector<int64_t> out;
  int64_t prev_t = 0;
  int prev = libc_local(0).tm_isdst;
  for (int64_t t = 86400; t <= kMax + 86400; t += 86400) {
    int now = libc_local(t).tm_isdst;
    if (now != prev) {
      int64_t lo = prev_t, hi = t;  // flag(lo) == prev, flag(hi) != prev
      while (hi - lo > 1) {
        int64_t mid = lo + (hi - lo) / 2;
        (libc_local(mid).tm_isdst == prev ? lo : hi) = mid;
      }
      out.push_back(hi);
    }
    prev = now;
    prev_t = t;
  }
  return out;
}

void expect_same_local(uint32_t t) {
  vt_time_t v = static_cast<vt_time_t>(t);
  const vt_tm* r = vt_localtime(&v);
  ::tm w = libc_local(t);
  ASSERT_NE(r, nullptr) << t;
  int got[] = {r->tm_year, r->tm_mon, r->tm_mday, r->tm_hour, r->tm_min,
               r->tm_sec,  r->tm_wday, r->tm_yday, r->tm_isdst > 0};
  int want[] = {w.tm_year, w.tm_mon, w.tm_mday, w.tm_hour, w.tm_min,
                w.tm_sec,  w.tm_wday, w.tm_yday, w.tm_isdst > 0};
  for (int i = 0; i < 9; ++i) ASSERT_EQ(got[i], want[i]) << "t=" << t << " field " << i;
}

bool near_transition(const std::vector<int64_t>& tr, int64_t t, int64_t window) {
  for (int64_t x : tr)
    if (t > x - window && t < x + window) return true;
  return false;
}

// mktime of the C library's fields for t, with each daylight flag, agrees
// with the C library's mktime where the wall clock is unambiguous.
void expect_same_mktime(uint32_t t, const std::vector<int64_t>& tr) {
  if (near_transition(tr, t, 3 * 3600)) return;
  for (int isdst : {-1, 0, 1}) {
    ::tm w = libc_local(t);
    w.tm_isdst = isdst;
    vt_tm r{w.tm_sec, w.tm_min, w.tm_hour, w.tm_mday, w.tm_mon, w.tm_year, 0, 0, isdst};
    int64_t want = mktime(&w);
    uint32_t got = static_cast<uint32_t>(vt_mktime(&r));
    if (want < 0 || want > kMax) {
      ASSERT_EQ(got, 0xFFFFFFFFu) << t << " isdst " << isdst;
      continue;
    }
    ASSERT_EQ(got, want) << t << " isdst " << isdst;
    ASSERT_EQ(r.tm_hour, w.tm_hour) << t;
    ASSERT_EQ(r.tm_mday, w.tm_mday) << t;
    ASSERT_EQ(r.tm_isdst > 0, w.tm_isdst > 0) << t;
  }
}

void compare_with_libc(int expected_transitions_per_year) {
  std::vector<int64_t> tr = libc_transitions();
  ASSERT_EQ(tr.size(), size_t(130 * expected_transitions_per_year));
  for (int64_t x : tr)
    for (int64_t d = -3 * 3600; d <= 3 * 3600; d += 600)
      for (int64_t e : {-1, 0, 1})
        if (x + d + e >= 0 && x + d + e <= kMax) expect_same_local(uint32_t(x + d + e));
  for (uint32_t t = 0; t < 5 * 86400; t += 1013) expect_same_local(t);
  for (uint32_t t = kMax - 5 * 86400; t < kMax; t += 1013) expect_same_local(t);
  expect_same_local(kMax);
  std::mt19937 rng(11);
  std::uniform_int_distribution<uint32_t> any(0, kMax);
  for (int i = 0; i < 100000; ++i) {
    uint32_t t = any(rng);
    expect_same_local(t);
    if (i % 4 == 0) expect_same_mktime(t, tr);
  }
}

struct TzCase { const char* library; const char* libc; int transitions_per_year; };

TEST(LocalTime, TzRulesMatchTheCLibrary) {
  const TzCase cases[] = {
      {"EST5EDT", "EST5EDT,M4.1.0/2,M10.5.0/2", 2}, {"CET-1CEST", "CET-1CEST,M4.1.0/2,M10.5.0/2", 2},
      {"NZS-12NZD", "NZS-12NZD,M4.1.0/2,M10.5.0/2", 2}, {"XXX+3:15:20YYY", "XXX+3:15:20YYY,M4.1.0/2,M10.5.0/2", 2},
      {"IST-5:30", "IST-5:30", 0}, {"HST10", "HST10", 0},
  };
  for (const TzCase& c : cases) {
    SCOPED_TRACE(c.library);
    vt::test::ZoneScope zone(c.library, c.libc);
    compare_with_libc(c.transitions_per_year);
  }
}

TEST(LocalTime, SystemZoneRecordsMatchTheCLibrary) {
  using Scope = vt::test::SystemZoneScope;
  struct SystemCase {
    const char* name;
    int bias;
    Scope::Rule daylight_start, standard_start;
    const char* libc;
  } cases[] = {
      {"Berlin", -60, {3, 5, 2}, {10, 5, 3}, "CET-1CEST,M3.5.0,M10.5.0/3"},
      {"New York", 300, {3, 2, 2}, {11, 1, 2}, "EST5EDT,M3.2.0,M11.1.0"},
      {"Sydney", -600, {10, 1, 2}, {4, 1, 3}, "AEST-10AEDT,M10.1.0,M4.1.0/3"},
      // ends at midnight daylight time: 23:00 standard time the day before
      {"Midnight", -60, {3, 5, 2}, {10, 5, 0}, "XXX-1YYY,M3.5.0,M10.5.0/0"},
  };
  for (const SystemCase& c : cases) {
    SCOPED_TRACE(c.name);
    Scope zone(c.name, c.bias, c.daylight_start, c.standard_start, c.libc);
    EXPECT_EQ(*gettimezone(), c.bias * 60);
    EXPECT_EQ(*getdstbias(), -3600);
    EXPECT_STREQ(vt::time::zone_state().tzname[0], c.name);
    compare_with_libc(2);
  }
}

#endif

TEST(LocalTime, TzTextIsReadAsNameOffsetName) {
  struct Case {
    const char* tz;
    int32_t timezone;
    bool daylight;
    const char* std_name;
    const char* dst_name;
  } cases[] = {
      {"EST5EDT", 18000, true, "EST", "EDT"}, {"CET-1CEST", -3600, true, "CET", "CES"},
      {"IST-5:30", -19800, false, "IST", ""}, {"ABC+3:15:20", 11720, false, "ABC", ""}, {"XY", 0, false, "XY", ""},
  };
  for (const Case& c : cases) {
    vt::test::ZoneScope zone(c.tz);
    const vt::time::ZoneState& z = vt::time::zone_state();
    EXPECT_EQ(z.timezone, c.timezone) << c.tz;
    EXPECT_EQ(z.daylight != 0, c.daylight) << c.tz;
    EXPECT_STREQ(z.tzname[0], c.std_name) << c.tz;
    EXPECT_STREQ(z.tzname[1], c.dst_name) << c.tz;
  }
  // An empty TZ keeps the values; an unchanged one is not applied again.
  vt::test::ZoneScope zone("EST5EDT");
  *gettimezone() = 1234;
  vt::test::set_tz("EST5EDT");
  tzset_();
  EXPECT_EQ(*gettimezone(), 1234);
  vt::test::set_tz("");
  tzset_();
  EXPECT_EQ(*gettimezone(), 1234);
}

TEST(LocalTime, EdgesOfTheRange) {
  struct Case {
    const char* tz;
    uint32_t t;
    const char* want;
    int yday;
  } cases[] = {{"XXX-1", kMax, "Fri Jan 01 00:59:59 2100\n", 0}, {"EST5", 0, "Wed Dec 31 19:00:00 1969\n", 364}};
  for (const Case& c : cases) {
    vt::test::ZoneScope zone(c.tz);
    vt_time_t t = static_cast<vt_time_t>(c.t);
    const vt_tm* r = vt_localtime(&t);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->tm_yday, c.yday);
    EXPECT_STREQ(vt_asctime(r), c.want);
  }
  vt_time_t beyond = static_cast<vt_time_t>(kMax + 1);
  EXPECT_EQ(vt_localtime(&beyond), nullptr);
  EXPECT_EQ(vt_ctime(&beyond), nullptr);
}

TEST(LocalTime, MktimeRoundTripsAwayFromTheRepeatedHour) {
  vt::test::ZoneScope zone("CET-1CEST");
  std::mt19937 rng(5);
  std::uniform_int_distribution<uint32_t> any(86400, kMax - 86400);
  for (int i = 0; i < 100000; ++i) {
    uint32_t t = any(rng);
    vt_time_t v = static_cast<vt_time_t>(t);
    vt_tm r = *vt_localtime(&v);
    // The last hour of daylight time repeats as the first of standard time;
    // mktime gives the standard-time reading of such a wall clock.
    vt_time_t later = static_cast<vt_time_t>(t + 3600);
    if (r.tm_isdst > 0 && vt_localtime(&later)->tm_isdst == 0) continue;
    r.tm_isdst = -1;
    ASSERT_EQ(static_cast<uint32_t>(vt_mktime(&r)), t);
  }
}

}  // namespace
