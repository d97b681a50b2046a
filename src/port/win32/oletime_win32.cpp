// The OLE time services as the library bound them at load (OleInit).
#include <windows.h>

#include "platform/win32/ole_binding.h"
#include "port/oletime.h"

namespace vt::port {

bool system_time_to_variant(const WallTime& w, double& date) {
  auto service = vt::platform::system_time_to_variant_time();
  if (!service) return false;
  SYSTEMTIME st{w.year, w.month, w.day_of_week, w.day, w.hour, w.minute, w.second, w.milliseconds};
  return service(&st, &date) != 0;
}

bool variant_to_system_time(double date, WallTime& w) {
  auto service = vt::platform::variant_time_to_system_time();
  if (!service) return false;
  SYSTEMTIME st;
  if (!service(date, &st)) return false;
  w = WallTime{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond,
               st.wMilliseconds};
  return true;
}

}  // namespace vt::port
