// The system-zone path under wine: with "TZ" removed from the process, the
// library reads GetTimeZoneInformation; its localtime must agree with the
// system's own conversion of the same instants, and the OLE dates with the
// closed form of days since 1899-12-30. Registered once per test zone
// (tests/time/tests.cmake); whatever zone wine runs in, the checks hold.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "veltra/timeconv.h"
#include "veltra/timezone.h"

namespace {

constexpr uint32_t kMax = 4102444799u;

class SystemZone : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("TZ", nullptr);
    _putenv("TZ=");
    tzset_();
  }
};

// The system's local time of t (its own transition rules).
SYSTEMTIME system_local(uint32_t t) {
  SYSTEMTIME utc, local;
  FILETIME ft = Time_tToFILETIME(static_cast<vt_time_t>(t));
  FileTimeToSystemTime(&ft, &utc);
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  return local;
}

void expect_same(uint32_t t) {
  vt_time_t v = static_cast<vt_time_t>(t);
  const vt_tm* r = vt_localtime(&v);
  SYSTEMTIME s = system_local(t);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->tm_year + 1900, s.wYear) << t;
  ASSERT_EQ(r->tm_mon + 1, s.wMonth) << t;
  ASSERT_EQ(r->tm_mday, s.wDay) << t;
  ASSERT_EQ(r->tm_hour * 3600 + r->tm_min * 60 + r->tm_sec,
            s.wHour * 3600 + s.wMinute * 60 + s.wSecond)
      << t;
}

TEST_F(SystemZone, BiasComesFromTheSystem) {
  TIME_ZONE_INFORMATION z;
  ASSERT_NE(GetTimeZoneInformation(&z), TIME_ZONE_ID_INVALID);
  int32_t expected = z.Bias * 60 + (z.StandardDate.wMonth ? z.StandardBias * 60 : 0);
  EXPECT_EQ(*gettimezone(), expected);
  bool has_dst = z.DaylightDate.wMonth != 0 && z.DaylightBias != 0;
  EXPECT_EQ(*getdaylight() != 0, has_dst);
  if (has_dst) EXPECT_EQ(*getdstbias(), (z.DaylightBias - z.StandardBias) * 60);
}

TEST_F(SystemZone, LocalTimeAgreesWithTheSystemEveryHourOfSomeYearsAndAtRandom) {
  // 2020 to 2026, every hour and the seconds around each whole hour.
  for (uint32_t t = 1577836800u; t < 1798761600u; t += 3600) {
    expect_same(t);
    expect_same(t - 1);
  }
  std::mt19937 rng(2);
  std::uniform_int_distribution<uint32_t> any(4 * 86400, kMax - 4 * 86400);
  for (int i = 0; i < 20000; ++i) expect_same(any(rng));
}

TEST_F(SystemZone, OleDatesCountLocalDaysSince1899) {
  const double kDaysTo1970 = 25569.0;  // 1899-12-30 to 1970-01-01
  std::mt19937 rng(4);
  std::uniform_int_distribution<uint32_t> any(86400, kMax - 86400);
  for (int i = 0; i < 2000; ++i) {
    vt_time_t t = static_cast<vt_time_t>(any(rng));
    const vt_tm* r = vt_localtime(&t);
    vt_tm local = *r;
    local.tm_isdst = 0;
    uint32_t wall = static_cast<uint32_t>(mktimegm(&local));  // local fields as if UTC
    double days = kDaysTo1970 + wall / 86400.0;
    double date = Time_tToDate(t);
    ASSERT_NEAR(date, days, 1e-6) << t;
    if (r->tm_isdst > 0) continue;  // the repeated hour reads back as standard time
    vt_time_t back = DateToTime_t(date);
    ASSERT_EQ(back, t) << t;
  }
  EXPECT_EQ(Time_tToDate(-1), 0.0);
  EXPECT_EQ(Time_tToDate(static_cast<vt_time_t>(kMax + 1)), 0.0);
}

}  // namespace
