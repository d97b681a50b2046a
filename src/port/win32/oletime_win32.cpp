#include <windows.h>
#include <oleauto.h>

#include "port/oletime.h"

namespace vt::port {

bool system_time_to_variant(const WallTime& w, double& date) {
  SYSTEMTIME st{w.year, w.month, w.day_of_week, w.day, w.hour, w.minute, w.second, w.milliseconds};
  return SystemTimeToVariantTime(&st, &date) != 0;
}

bool variant_to_system_time(double date, WallTime& w) {
  SYSTEMTIME st;
  if (!VariantTimeToSystemTime(date, &st)) return false;
  w = WallTime{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond,
               st.wMilliseconds};
  return true;
}

}  // namespace vt::port
