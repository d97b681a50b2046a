// The OLE time services as the library bound them at load (OleInit).
#include <windows.h>

#include "port/oletime.h"
#include "port/system_time.h"
#include "port/win32/ole_services.h"

namespace vt::port {

namespace {
VariantTimeToSystemTimeFn g_variant_to_system = nullptr;
SystemTimeToVariantTimeFn g_system_to_variant = nullptr;
}  // namespace

VariantTimeToSystemTimeFn variant_time_to_system_time() { return g_variant_to_system; }
SystemTimeToVariantTimeFn system_time_to_variant_time() { return g_system_to_variant; }

void set_ole_time_services(VariantTimeToSystemTimeFn variant_to_system, SystemTimeToVariantTimeFn system_to_variant) {
  g_variant_to_system = variant_to_system;
  g_system_to_variant = system_to_variant;
}

bool system_time_to_variant(const WallTime& w, double& date) {
  if (!g_system_to_variant) return false;
  SYSTEMTIME st = system_time_of(w);
  return g_system_to_variant(&st, &date) != 0;
}

bool variant_to_system_time(double date, WallTime& w) {
  if (!g_variant_to_system) return false;
  SYSTEMTIME st;
  if (!g_variant_to_system(date, &st)) return false;
  w = wall_time_of(st);
  return true;
}

}  // namespace vt::port
