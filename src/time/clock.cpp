// The current time: time() from the system's local wall clock and its
// daylight flag (on Windows asked of the system's zone and cached per UTC
// minute, as the system query is slow; natively the clock is the library's
// own breakdown and says it), and _ftime from the system's tick count. A
// test may fix the current time.
#include "time/clock.h"

#include "port/clock.h"
#include "port/zone.h"
#include "time/broken.h"
#include "time/zone.h"

namespace vt::time {

namespace {

struct MinuteCache {
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  int32_t daylight = -1;
  uint32_t zone_reads = 0;  // the zone read the flag belongs to
  bool valid = false;
};
MinuteCache g_minute;

bool same_minute(const MinuteCache& c, const port::WallTime& u) {
  return c.valid && c.zone_reads == zone_reads() && c.year == u.year && c.month == u.month &&
         c.day == u.day && c.hour == u.hour && c.minute == u.minute;
}

// The system's word on daylight time now: -1 unknown, 0 standard, 1 daylight.
int32_t daylight_now() {
  port::ZoneInfo z;
  port::ZoneNow now = port::system_zone(z);
  if (now == port::ZoneNow::Failed) return -1;
  return now == port::ZoneNow::Daylight && z.daylight_date.month != 0 && z.daylight_bias != 0;
}

// The seam's native local clock: the library's own breakdown.
int library_local_clock(int64_t utc, port::WallTime& local) {
  vt_tm tm;
  if (utc < 0 || utc > kMaxTime || !local_fields(static_cast<uint32_t>(utc), tm)) return -1;
  local = port::WallTime{static_cast<uint16_t>(tm.tm_year + 1900), static_cast<uint16_t>(tm.tm_mon + 1),
                         static_cast<uint16_t>(tm.tm_wday),         static_cast<uint16_t>(tm.tm_mday),
                         static_cast<uint16_t>(tm.tm_hour),         static_cast<uint16_t>(tm.tm_min),
                         static_cast<uint16_t>(tm.tm_sec),          0};
  return tm.tm_isdst > 0;
}

}  // namespace

uint32_t ticks_to_epoch(uint64_t ticks) {
  if (ticks < port::kTicksTo1970) return kInvalidTime;
  uint64_t s = (ticks - port::kTicksTo1970) / port::kTicksPerSecond;
  return s > kMaxTime ? kInvalidTime : static_cast<uint32_t>(s);
}

uint32_t now() {
  uint64_t fixed;
  if (port::fixed_time(fixed)) return ticks_to_epoch(fixed);
  read_zone_once();
  port::WallTime utc, local;
  int daylight = -1;
  if (!port::system_wall_clock(utc, local, daylight, library_local_clock)) return kInvalidTime;
  if (daylight >= 0)
    return local_to_time(local.year, local.month, local.day, local.hour, local.minute, local.second, daylight);
  if (!same_minute(g_minute, utc)) {
    g_minute.daylight = daylight_now();
    g_minute.year = utc.year;
    g_minute.month = utc.month;
    g_minute.day = utc.day;
    g_minute.hour = utc.hour;
    g_minute.minute = utc.minute;
    g_minute.zone_reads = zone_reads();
    g_minute.valid = true;
  }
  return local_to_time(local.year, local.month, local.day, local.hour, local.minute, local.second,
                       g_minute.daylight);
}

void ftime(vt_timeb& rec) {
  read_zone_once();
  uint64_t ticks = port::now_ticks();
  rec.timezone = static_cast<int16_t>(zone_state().timezone / 60);
  rec.millitm = static_cast<uint16_t>(ticks / port::kTicksPerMillisecond % 1000);
  rec.time = static_cast<vt_time_t>(
      static_cast<uint32_t>((ticks - port::kTicksTo1970) / port::kTicksPerSecond));
  rec.dstflag = -1;
}

}  // namespace vt::time
