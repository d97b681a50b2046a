// Breakdowns over the unsigned 32-bit range. localtime works on local
// standard time (t - timezone) and asks the transition table whether
// daylight time applies; within three days of either end of the range, where
// t - timezone could leave the range, it shifts the UTC fields instead.
#include "time/broken.h"

#include "time/civil.h"
#include "time/zone.h"

namespace vt::time {

namespace {

// Inside these bounds t - timezone stays within the range for any offset up
// to three days, so the plain path applies.
constexpr uint32_t kEdgeLow = 3 * civil::kSecondsPerDay;
constexpr uint32_t kEdgeHigh = kMaxTime - 3 * civil::kSecondsPerDay;
// Minutes from 1970 beyond which no record can give a time in the range,
// whatever the zone (2100-01-01 12:18 UTC).
constexpr int32_t kMaxMinutes = 68374798;
constexpr int32_t kMinYear = 69;
constexpr int32_t kMaxYear = 200;

thread_local vt_tm t_record;

// Time-of-day fields of a second within the day.
inline void split_clock(uint32_t secs, vt_tm& out) {
  out.tm_sec = static_cast<int32_t>(secs % civil::kSecondsPerMinute);
  out.tm_min = static_cast<int32_t>(secs / civil::kSecondsPerMinute % 60);
  out.tm_hour = static_cast<int32_t>(secs / civil::kSecondsPerHour);
}

// Calendar fields of a day.
inline void put_date(const civil::Date& d, vt_tm& out) {
  out.tm_mday = d.mday;
  out.tm_mon = d.month;
  out.tm_year = d.year;
  out.tm_wday = d.wday;
  out.tm_yday = d.yday;
}

// localtime within three days of either end of the range: the zone's shift
// (asked of the UTC fields there, where local standard time could leave the
// range) applied to the seconds, and the local day split again. The day may
// move by one either way, to 1969-12-31 or 2100-01-01; a shift that moves
// it further fails.
bool localtime_edge(uint32_t t, vt_tm& out) {
  vt_tm utc;
  if (!split_utc(t, utc)) return false;
  const ZoneState& z = zone_state();
  int64_t shift = -int64_t{z.timezone};
  const bool daylight = dst_active(utc.tm_year, utc.tm_yday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  if (daylight) shift -= z.dstbias;
  const int64_t day = civil::kSecondsPerDay;
  const int64_t moved = int64_t{t % civil::kSecondsPerDay} + shift;
  const int64_t day_move = moved >= 0 ? moved / day : -((-moved + day - 1) / day);
  if (day_move < -1 || day_move > 1) return false;
  const int64_t local_day = int64_t{t / civil::kSecondsPerDay} + day_move;
  split_clock(static_cast<uint32_t>(moved - day_move * day), out);
  put_date(civil::split_days(static_cast<int32_t>(local_day)), out);
  out.tm_isdst = daylight;
  return true;
}

bool add_checked(int32_t a, int32_t b, int32_t& out) { return !__builtin_add_overflow(a, b, &out); }
bool mul_checked(int32_t a, int32_t b, int32_t& out) { return !__builtin_mul_overflow(a, b, &out); }

// The common part of mktime and mktimegm: the record's fields as seconds
// since 1970 of the same wall clock, or false.
bool fields_to_seconds(vt_tm* rec, uint32_t& seconds) {
  int32_t y = rec->tm_year;
  if (y < kMinYear || y > kMaxYear) return false;
  if (rec->tm_mon < 0 || rec->tm_mon > 11) {
    y += rec->tm_mon / 12;
    rec->tm_mon %= 12;
    if (rec->tm_mon < 0) {
      rec->tm_mon += 12;
      --y;
    }
    if (y < kMinYear || y > kMaxYear) return false;
  }
  int32_t days = civil::days_from_year_day(y, civil::days_before_month_of(y, rec->tm_mon));
  int32_t day_offset, hours, minutes;
  if (__builtin_sub_overflow(rec->tm_mday, 1, &day_offset) || !add_checked(days, day_offset, days))
    return false;
  if (!mul_checked(days, 24, hours) || !add_checked(hours, rec->tm_hour, hours)) return false;
  if (!mul_checked(hours, 60, minutes) || !add_checked(minutes, rec->tm_min, minutes))
    return false;
  if (minutes < 0 || minutes > kMaxMinutes) return false;
  seconds = static_cast<uint32_t>(minutes) * 60u + static_cast<uint32_t>(rec->tm_sec);
  return true;
}

}  // namespace

bool split_utc(uint32_t t, vt_tm& out) {
  if (t > kMaxTime) return false;
  split_clock(t % civil::kSecondsPerDay, out);
  put_date(civil::split_days(static_cast<int32_t>(t / civil::kSecondsPerDay)), out);
  out.tm_isdst = 0;
  return true;
}

vt_tm* gmtime(uint32_t t) { return split_utc(t, t_record) ? &t_record : nullptr; }

// Local fields of t away from the ends of the range: local standard time,
// moved by dstbias while daylight time is in effect. A move that stays
// within the day (most hours) only redoes the time of day.
static bool split_local(uint32_t t, vt_tm& out) {
  const ZoneState& z = zone_state();
  uint32_t standard = t - static_cast<uint32_t>(z.timezone);
  if (standard > kMaxTime) return false;
  int32_t second_of_day = static_cast<int32_t>(standard % civil::kSecondsPerDay);
  civil::Date d = civil::split_days(static_cast<int32_t>(standard / civil::kSecondsPerDay));
  const bool daylight = dst_active_at(d.year, d.yday, second_of_day);
  const int32_t shift = z.dstbias & -static_cast<int32_t>(daylight);
  int64_t moved = int64_t{second_of_day} - shift;
  if (moved < 0 || moved >= civil::kSecondsPerDay) {
    // The move crosses midnight (an hour a day at most): split again.
    if (!split_utc(standard - static_cast<uint32_t>(shift), out)) return false;
  } else {
    split_clock(static_cast<uint32_t>(moved), out);
    put_date(d, out);
  }
  out.tm_isdst = daylight;
  return true;
}

bool local_fields(uint32_t t, vt_tm& out) {
  if (t > kMaxTime) return false;
  read_zone_once();
  if (t <= kEdgeLow || t >= kEdgeHigh) return localtime_edge(t, out);
  return split_local(t, out);
}

vt_tm* localtime(uint32_t t) { return local_fields(t, t_record) ? &t_record : nullptr; }

// Day of the year of a record whose fields already lie within their ranges
// (month 0-11, day within the month, time of day), or -1 when they do not.
static int32_t plain_year_day(const vt_tm& r) {
  if (r.tm_mon < 0 || r.tm_mon > 11 || r.tm_hour < 0 || r.tm_hour > 23 || r.tm_min < 0 ||
      r.tm_min > 59 || r.tm_sec < 0 || r.tm_sec > 59 || r.tm_mday < 1)
    return -1;
  bool leap = civil::is_leap(r.tm_year);
  if (r.tm_mday > civil::days_in_month(leap, r.tm_mon)) return -1;
  return civil::days_before_month(leap, r.tm_mon) + r.tm_mday - 1;
}

uint32_t mktime_local(vt_tm* rec) { return local_seconds(rec, true); }

uint32_t local_seconds(vt_tm* rec, bool normalise) {
  if (!rec) return kInvalidTime;
  const int32_t isdst = rec->tm_isdst;
  const int32_t yday = plain_year_day(*rec);
  uint32_t seconds;
  if (!fields_to_seconds(rec, seconds)) return kInvalidTime;
  read_zone_once();
  const ZoneState& z = zone_state();
  seconds += static_cast<uint32_t>(z.timezone);
  // Whether the fields, read as local standard time, fall into daylight
  // time. Fields within their ranges are that time's own breakdown, so the
  // rule can be asked directly; others are broken down first.
  bool in_daylight;
  vt_tm local;
  bool have_local = false;
  if (yday >= 0 && seconds > kEdgeLow && seconds < kEdgeHigh) {
    in_daylight = z.daylight && dst_active(rec->tm_year, yday, rec->tm_hour, rec->tm_min, rec->tm_sec);
  } else {
    if (!local_fields(seconds, local)) return kInvalidTime;
    in_daylight = local.tm_isdst > 0;
    have_local = true;
  }
  if (isdst > 0 || (isdst < 0 && in_daylight)) {
    seconds += static_cast<uint32_t>(z.dstbias);
    have_local = false;
  }
  // The breakdown of the result fails exactly when it lies beyond the
  // range: a caller that needs only the value is spared it.
  if (!normalise && !have_local) return seconds > kMaxTime ? kInvalidTime : seconds;
  if (!have_local && !local_fields(seconds, local)) return kInvalidTime;
  *rec = local;
  return seconds;
}

uint32_t mktime_utc(vt_tm* rec) {
  if (!rec) return kInvalidTime;
  uint32_t seconds;
  if (!fields_to_seconds(rec, seconds) || seconds > kMaxTime) return kInvalidTime;
  split_utc(seconds, *rec);
  return seconds;
}

uint32_t local_to_time(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                       int32_t second, int32_t dstflag) {
  int32_t y = year - 1900;
  if (y < 70 || y > 199 || month < 1 || month > 12) return kInvalidTime;
  int32_t yday = day - 1 + civil::days_before_month_of(y, month - 1);
  int32_t days = civil::days_from_year_day(y, yday);
  uint32_t seconds = ((static_cast<uint32_t>(days) * 24u + static_cast<uint32_t>(hour)) * 60u +
                      static_cast<uint32_t>(minute)) * 60u + static_cast<uint32_t>(second);
  read_zone_once();
  const ZoneState& z = zone_state();
  seconds += static_cast<uint32_t>(z.timezone);
  if (dstflag == 1 || (dstflag == -1 && dst_active(y, yday, hour, minute, second)))
    seconds += static_cast<uint32_t>(z.dstbias);
  return seconds;
}

}  // namespace vt::time
