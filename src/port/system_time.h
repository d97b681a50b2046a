// The SYSTEMTIME record and the seam's WallTime hold the same eight fields;
// these two are the one place that copies between them (the exported time
// conversions, and the Windows port's clock, zone and OLE time services).
// SYSTEMTIME is the platform's record on Windows and the library's own of
// the same layout natively (veltra/timeconv.h).
#pragma once

#include "port/clock.h"
#include "veltra/timeconv.h"

namespace vt::port {

inline WallTime wall_time_of(const SYSTEMTIME& s) {
  return WallTime{s.wYear, s.wMonth, s.wDayOfWeek, s.wDay, s.wHour, s.wMinute, s.wSecond,
                  s.wMilliseconds};
}

inline SYSTEMTIME system_time_of(const WallTime& w) {
  SYSTEMTIME s;
  s.wYear = w.year;
  s.wMonth = w.month;
  s.wDayOfWeek = w.day_of_week;
  s.wDay = w.day;
  s.wHour = w.hour;
  s.wMinute = w.minute;
  s.wSecond = w.second;
  s.wMilliseconds = w.milliseconds;
  return s;
}

}  // namespace vt::port
