// Native builds read the clock with clock_gettime and ask the C library for
// the wall-clock fields, as the Windows build asks the system.
#include <time.h>

#include "port/clock.h"

namespace vt::port {

namespace {
WallTime from_tm(const struct tm& t, long nanoseconds) {
  return WallTime{static_cast<uint16_t>(t.tm_year + 1900), static_cast<uint16_t>(t.tm_mon + 1),
                  static_cast<uint16_t>(t.tm_wday),        static_cast<uint16_t>(t.tm_mday),
                  static_cast<uint16_t>(t.tm_hour),        static_cast<uint16_t>(t.tm_min),
                  static_cast<uint16_t>(t.tm_sec),         static_cast<uint16_t>(nanoseconds / 1000000)};
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
  struct tm u, l;
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return false;
  if (!gmtime_r(&ts.tv_sec, &u) || !localtime_r(&ts.tv_sec, &l)) return false;
  utc = from_tm(u, ts.tv_nsec);
  local = from_tm(l, ts.tv_nsec);
  return true;
}

}  // namespace vt::port
