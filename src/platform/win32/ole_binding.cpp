// Run-time binding of the two OLE Automation time services. Loading the
// library at run time keeps the DLL loadable where OLE Automation is
// missing; the time conversions then report failure instead.
#include "platform/win32/ole_binding.h"

#include "veltra/ole.h"

namespace vt::platform {

namespace {
HMODULE g_oleaut = nullptr;
VariantTimeToSystemTimeFn g_variant_to_system = nullptr;
SystemTimeToVariantTimeFn g_system_to_variant = nullptr;
}  // namespace

VariantTimeToSystemTimeFn variant_time_to_system_time() { return g_variant_to_system; }
SystemTimeToVariantTimeFn system_time_to_variant_time() { return g_system_to_variant; }

}  // namespace vt::platform

using namespace vt::platform;

BOOL OleInit(void) {
  OleReinit();
  g_oleaut = LoadLibraryA("OLEAUT32.DLL");
  if (!g_oleaut) return FALSE;
  g_variant_to_system = reinterpret_cast<VariantTimeToSystemTimeFn>(
      reinterpret_cast<void*>(GetProcAddress(g_oleaut, "VariantTimeToSystemTime")));
  g_system_to_variant = reinterpret_cast<SystemTimeToVariantTimeFn>(
      reinterpret_cast<void*>(GetProcAddress(g_oleaut, "SystemTimeToVariantTime")));
  return g_variant_to_system && g_system_to_variant;
}

void OleReinit(void) {
  if (!g_oleaut) return;
  FreeLibrary(g_oleaut);
  g_oleaut = nullptr;
  g_variant_to_system = nullptr;
  g_system_to_variant = nullptr;
}
