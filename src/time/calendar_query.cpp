// Calendar queries over a broken-down time: week numbers, month lengths,
// the days on which daylight time begins and ends, and the selector tmv.
#include "time/broken.h"
#include "time/civil.h"
#include "time/clock.h"
#include "time/periods.h"
#include "time/zone.h"

namespace vt::time {

namespace {

constexpr int32_t kPeriodByIndex[] = {60,    600,   900,    1800,    3600,    14400,
                                      28800, 86400, 604801, 2635201, 7905601, 31557601};
constexpr int kPeriodIndexCount = sizeof kPeriodByIndex / sizeof kPeriodByIndex[0];
constexpr int kLengthSelectors = 200, kFloorSelectors = 300, kSelectorBlock = 100;
constexpr int32_t kMarch = 2, kOctober = 9;
constexpr int32_t kLastSundayFrom = 25;  // a Sunday on the 25th or later is the month's last

int32_t period_of_index(int index) {
  return index >= 0 && index < kPeriodIndexCount ? kPeriodByIndex[index] : -1;
}

bool leap_of(const vt_tm& r) { return civil::is_gregorian_leap(r.tm_year + 1900); }

// ISO 8601 weeks in a year whose 1 January falls on weekday `jan1` (Monday
// 0): 53 when it starts on a Thursday, or a Wednesday in a leap year.
int iso_weeks_in_year(int jan1, bool leap) { return jan1 == 3 || (leap && jan1 == 2) ? 53 : 52; }

int iso_week(const vt_tm& r) {
  int jan1 = (370 - r.tm_yday + r.tm_wday) % 7;  // weekday of 1 January from Monday
  int monday_based = (r.tm_wday + 6) % 7;
  int week = (r.tm_yday - monday_based + 10) / 7;
  if (week < 1) {
    // The week belongs to the year before: its 1 January lies 365 or 366
    // days before this one.
    bool prev_leap = civil::is_gregorian_leap(r.tm_year + 1900 - 1);
    int prev_jan1 = (jan1 + 7 - civil::days_in_year(prev_leap) % 7) % 7;
    return iso_weeks_in_year(prev_jan1, prev_leap);
  }
  if (week > iso_weeks_in_year(jan1, leap_of(r))) return 1;
  return week;
}

}  // namespace

int week_of_year(const vt_tm& r, int mode) {
  int x = (370 - r.tm_yday + r.tm_wday) % 7;
  switch (mode) {
    case 0:
    case 1: return (r.tm_yday + x) / 7 + 1;
    case 2: return iso_week(r);
    default: return -1;
  }
}

int days_of_month(const vt_tm& r) {
  if (r.tm_mon < 0 || r.tm_mon > 11) return -1;
  return civil::days_in_month(leap_of(r), r.tm_mon);
}

int daylight_day(uint32_t t, const vt_tm* rec) {
  if (zone_state().dstbias == 0) return 0;
  if (!rec) {
    if (t == kInvalidTime) t = now();
    rec = localtime(t);
    if (!rec) return 0;
  }
  if (rec->tm_wday != 0 || rec->tm_mday < kLastSundayFrom) return 0;
  if (rec->tm_mon == kMarch) return 1;
  if (rec->tm_mon == kOctober) return -1;
  return 0;
}

int32_t calendar_value(int what, uint32_t t, const vt_tm* rec) {
  vt_tm r;
  if (rec) {
    r = *rec;
  } else {
    const vt_tm* l = localtime(t);
    if (!l) return -1;
    r = *l;
  }
  const ZoneState& z = zone_state();
  const uint32_t standard = t - static_cast<uint32_t>(z.timezone);
  switch (what) {
    case 0: return r.tm_sec + civil::kSecondsPerMinute * r.tm_min + civil::kSecondsPerHour * r.tm_hour;
    case 1: return r.tm_sec;
    case 2: return r.tm_min;
    case 3: return r.tm_hour;
    case 4: return r.tm_mday;
    case 5: return r.tm_mon + 1;
    case 6: return r.tm_year + 1900;
    case 7: return r.tm_wday;
    case 8:
    case 9:
    case 10: return week_of_year(r, what - 8);
    case 11: return r.tm_yday + 1;
    case 12: return civil::days_in_year(leap_of(r));
    case 13: return days_of_month(r);
    case 14: return static_cast<int32_t>(standard / civil::kSecondsPerDay);
    case 15: return static_cast<int32_t>(standard);
    case 16: return static_cast<int32_t>(t);
    case 17: return -z.timezone;
    case 18: return r.tm_isdst > 0;
    case 19: return static_cast<int32_t>(standard + (r.tm_isdst ? civil::kSecondsPerHour : 0));
    case 23: return daylight_day(kInvalidTime, &r) * z.dstbias;
    case 24: return (r.tm_wday + 6) % 7;
    case 25: {
      vt_tm first = r;
      first.tm_mon = r.tm_mon / 3 * 3;
      first.tm_mday = 1;
      first.tm_isdst = -1;
      if (mktime_local(&first) == kInvalidTime) return -1;
      return r.tm_yday - first.tm_yday + 1;
    }
    case 26: return static_cast<int32_t>(now());
    default: break;
  }
  if (what >= kLengthSelectors && what < kLengthSelectors + kSelectorBlock)
    return period_length(t, period_of_index(what - kLengthSelectors), 1);
  if (what >= kFloorSelectors && what < kFloorSelectors + kSelectorBlock)
    return static_cast<int32_t>(period_floor(t, period_of_index(what - kFloorSelectors)));
  return -1;
}

}  // namespace vt::time
