// Run-time binding of the two OLE Automation time services. Loading the
// library at run time keeps the DLL loadable where OLE Automation is
// missing; the time conversions then report failure instead. The seam
// keeps the bound services (port/win32/ole_services.h).
#include <windows.h>

#include "port/win32/ole_services.h"
#include "veltra/ole.h"

namespace {
HMODULE g_oleaut = nullptr;
}  // namespace

BOOL OleInit(void) {
  OleReinit();
  g_oleaut = LoadLibraryA("OLEAUT32.DLL");
  if (!g_oleaut) return FALSE;
  auto variant_to_system = reinterpret_cast<vt::port::VariantTimeToSystemTimeFn>(
      reinterpret_cast<void*>(GetProcAddress(g_oleaut, "VariantTimeToSystemTime")));
  auto system_to_variant = reinterpret_cast<vt::port::SystemTimeToVariantTimeFn>(
      reinterpret_cast<void*>(GetProcAddress(g_oleaut, "SystemTimeToVariantTime")));
  vt::port::set_ole_time_services(variant_to_system, system_to_variant);
  return variant_to_system && system_to_variant;
}

void OleReinit(void) {
  if (!g_oleaut) return;
  vt::port::set_ole_time_services(nullptr, nullptr);
  FreeLibrary(g_oleaut);
  g_oleaut = nullptr;
}
