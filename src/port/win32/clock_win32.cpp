#include <windows.h>

#include "port/clock.h"

namespace vt::port {

namespace {
WallTime from_system(const SYSTEMTIME& s) {
  return WallTime{s.wYear, s.wMonth, s.wDayOfWeek, s.wDay, s.wHour, s.wMinute, s.wSecond,
                  s.wMilliseconds};
}
}  // namespace

uint64_t system_ticks() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool system_wall_clock(WallTime& utc, WallTime& local) {
  SYSTEMTIME u, l;
  GetSystemTime(&u);
  GetLocalTime(&l);
  utc = from_system(u);
  local = from_system(l);
  return true;
}

}  // namespace vt::port
