// Daylight time under a zone record. The calendar comes from the C library
// (timegm, gmtime_r): the port asks the platform, as the Windows port asks
// the system for its local time.
#include "port/posix/zone_clock.h"

#include <time.h>

namespace vt::port {

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int kDaysPerWeek = 7;
constexpr uint16_t kLastOccurrence = 5;

// Seconds since 1970 of a calendar date and time read as UTC; normalises
// `t` and fills its weekday.
int64_t seconds_of(struct tm& t) { return static_cast<int64_t>(timegm(&t)); }

struct tm date_of(int tm_year, int tm_mon, int mday) {
  struct tm t {};
  t.tm_year = tm_year;
  t.tm_mon = tm_mon;
  t.tm_mday = mday;
  return t;
}

// The local seconds (since 1970, the local clock read as UTC) at which
// transition date `d` falls in year `tm_year`.
int64_t transition(const WallTime& d, int tm_year) {
  int month = d.month >= 1 && d.month <= 12 ? d.month - 1 : 0;  // as the library reads it
  int mday = d.day;
  if (d.year == 0) {
    struct tm first = date_of(tm_year, month, 1);
    seconds_of(first);
    int occurrence = d.day < 1 ? 1 : d.day > kLastOccurrence ? kLastOccurrence : d.day;
    mday = 1 + (d.day_of_week - first.tm_wday + kDaysPerWeek) % kDaysPerWeek +
           kDaysPerWeek * (occurrence - 1);
    for (;;) {  // the 5th is the last: step back while past the month's end
      struct tm t = date_of(tm_year, month, mday);
      seconds_of(t);
      if (t.tm_mon == month) break;
      mday -= kDaysPerWeek;
    }
  }
  struct tm at = date_of(tm_year, month, mday);
  at.tm_hour = d.hour;
  at.tm_min = d.minute;
  at.tm_sec = d.second;
  return seconds_of(at);
}

bool has_daylight(const ZoneInfo& zone) {
  return zone.daylight_date.month != 0 && zone.daylight_bias != 0;
}

// UTC = local standard time + standard_offset
//     = local daylight time + standard_offset + daylight_extra.
int64_t standard_offset(const ZoneInfo& zone) {
  return (int64_t{zone.bias} + (zone.standard_date.month ? zone.standard_bias : 0)) *
         kSecondsPerMinute;
}
int64_t daylight_extra(const ZoneInfo& zone) {
  return (int64_t{zone.daylight_bias} - zone.standard_bias) * kSecondsPerMinute;
}

}  // namespace

bool daylight_at(const ZoneInfo& zone, int64_t utc) {
  if (!has_daylight(zone)) return false;
  const int64_t local_standard = utc - standard_offset(zone);
  time_t at = static_cast<time_t>(local_standard);
  struct tm fields;
  if (!gmtime_r(&at, &fields)) return false;
  const int64_t start = transition(zone.daylight_date, fields.tm_year);
  const int64_t end = transition(zone.standard_date, fields.tm_year) + daylight_extra(zone);
  return start < end ? local_standard >= start && local_standard < end
                     : local_standard >= start || local_standard < end;
}

}  // namespace vt::port
