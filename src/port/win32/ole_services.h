// The OLE Automation time services, bound at run time by OleInit. The time
// conversions call them through these accessors; each is null while
// OLE Automation is not bound (before process attach, after detach, or when
// the system lacks the service).
#pragma once

#include <windows.h>

namespace vt::platform {

using VariantTimeToSystemTimeFn = INT(WINAPI*)(DOUBLE, LPSYSTEMTIME);
using SystemTimeToVariantTimeFn = INT(WINAPI*)(LPSYSTEMTIME, DOUBLE*);

VariantTimeToSystemTimeFn variant_time_to_system_time();
SystemTimeToVariantTimeFn system_time_to_variant_time();

}  // namespace vt::platform
