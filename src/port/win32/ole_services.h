// Windows builds: the two OLE Automation time services that oletime.h calls.
// OleInit (src/platform/win32/ole_binding.cpp) loads OLE Automation at run
// time and hands them down here; each is null while OLE Automation is not
// bound (before process attach, after detach, or when the system lacks the
// service). The seam keeps them so that it needs nothing above it.
#pragma once

#include <windows.h>

namespace vt::port {

using VariantTimeToSystemTimeFn = INT(WINAPI*)(DOUBLE, LPSYSTEMTIME);
using SystemTimeToVariantTimeFn = INT(WINAPI*)(LPSYSTEMTIME, DOUBLE*);

VariantTimeToSystemTimeFn variant_time_to_system_time();
SystemTimeToVariantTimeFn system_time_to_variant_time();

// Both null unbinds.
void set_ole_time_services(VariantTimeToSystemTimeFn variant_to_system, SystemTimeToVariantTimeFn system_to_variant);

}  // namespace vt::port
