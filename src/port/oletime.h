// Platform seam: the OLE Automation time services (local fields to OLE date
// and back). They are bound at load; unbound, each call reports false.
#pragma once

#include "port/clock.h"

namespace vt::port {

bool system_time_to_variant(const WallTime& st, double& date);
bool variant_to_system_time(double date, WallTime& st);

}  // namespace vt::port
