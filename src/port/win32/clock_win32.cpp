#include <windows.h>

#include "port/clock.h"
#include "port/system_time.h"

namespace vt::port {

uint64_t system_ticks() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool system_wall_clock(WallTime& utc, WallTime& local, int& daylight, LibraryLocalClock) {
  SYSTEMTIME u, l;
  GetSystemTime(&u);
  GetLocalTime(&l);
  utc = wall_time_of(u);
  local = wall_time_of(l);
  daylight = -1;
  return true;
}

}  // namespace vt::port
