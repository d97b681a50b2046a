// The OLE time services as the library bound them at load (OleInit).
#include <windows.h>

#include "platform/win32/ole_binding.h"
#include "port/oletime.h"
#include "port/system_time.h"

namespace vt::port {

bool system_time_to_variant(const WallTime& w, double& date) {
  auto service = vt::platform::system_time_to_variant_time();
  if (!service) return false;
  SYSTEMTIME st = system_time_of(w);
  return service(&st, &date) != 0;
}

bool variant_to_system_time(double date, WallTime& w) {
  auto service = vt::platform::variant_time_to_system_time();
  if (!service) return false;
  SYSTEMTIME st;
  if (!service(date, &st)) return false;
  w = wall_time_of(st);
  return true;
}

}  // namespace vt::port
