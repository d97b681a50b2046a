// Native builds read the clock with clock_gettime. The local wall clock
// follows the zone record and the daylight state that system_zone hands the
// library (the machine's zone, or what a test has fixed), not the C
// library's own reading of "TZ": so time(), which turns the wall clock back with the library's zone,
// gives the system's epoch seconds whenever that zone is the system's. With
// no system zone the wall clock is UTC.
#include <time.h>

#include "port/clock.h"
#include "port/posix/zone_clock.h"
#include "port/zone.h"

namespace vt::port {

namespace {
bool wall_time_of(int64_t seconds, long nanoseconds, WallTime& out) {
  time_t at = static_cast<time_t>(seconds);
  struct tm t;
  if (!gmtime_r(&at, &t)) return false;
  out = WallTime{static_cast<uint16_t>(t.tm_year + 1900), static_cast<uint16_t>(t.tm_mon + 1),
                 static_cast<uint16_t>(t.tm_wday),        static_cast<uint16_t>(t.tm_mday),
                 static_cast<uint16_t>(t.tm_hour),        static_cast<uint16_t>(t.tm_min),
                 static_cast<uint16_t>(t.tm_sec),         static_cast<uint16_t>(nanoseconds / 1000000)};
  return true;
}
}  // namespace

uint64_t system_ticks() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return kTicksTo1970 + static_cast<uint64_t>(ts.tv_sec) * kTicksPerSecond +
         static_cast<uint64_t>(ts.tv_nsec) / 100;
}

bool system_wall_clock(WallTime& utc, WallTime& local) {
  struct timespec ts;
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return false;
  const int64_t now = static_cast<int64_t>(ts.tv_sec);
  int64_t local_now = now;
  ZoneInfo zone;
  ZoneNow state = system_zone(zone);
  if (state != ZoneNow::Failed) local_now = local_seconds(zone, now, state == ZoneNow::Daylight);
  return wall_time_of(now, ts.tv_nsec, utc) && wall_time_of(local_now, ts.tv_nsec, local);
}

}  // namespace vt::port
