// Native builds read the clock with clock_gettime. The local wall clock is
// that clock broken down by the library's own zone (whatever "TZ" holds:
// unset, empty, a zone name or a rule), so that time(), which turns the
// wall clock back with the same zone, gives the system's epoch seconds.
#include <time.h>

#include "port/clock.h"

namespace vt::port {

uint64_t system_ticks() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return kTicksTo1970 + static_cast<uint64_t>(ts.tv_sec) * kTicksPerSecond +
         static_cast<uint64_t>(ts.tv_nsec) / 100;
}

bool system_wall_clock(WallTime& utc, WallTime& local, int& daylight, LibraryLocalClock library_local) {
  struct timespec ts;
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return false;
  struct tm t;
  if (!gmtime_r(&ts.tv_sec, &t)) return false;
  const auto ms = static_cast<uint16_t>(ts.tv_nsec / 1000000);
  utc = WallTime{static_cast<uint16_t>(t.tm_year + 1900), static_cast<uint16_t>(t.tm_mon + 1),
                 static_cast<uint16_t>(t.tm_wday),        static_cast<uint16_t>(t.tm_mday),
                 static_cast<uint16_t>(t.tm_hour),        static_cast<uint16_t>(t.tm_min),
                 static_cast<uint16_t>(t.tm_sec),         ms};
  daylight = library_local(static_cast<int64_t>(ts.tv_sec), local);
  local.milliseconds = ms;
  return daylight >= 0;
}

}  // namespace vt::port
