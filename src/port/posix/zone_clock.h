// Native builds: whether daylight time holds under a zone record, as the
// system's zone query reports it (the daylight flag of query_system_zone).
#pragma once

#include <cstdint>

#include "port/zone.h"

namespace vt::port {

// Whether daylight time holds at `utc` (seconds since 1970 UTC) under
// `zone`: from the daylight date (in local standard time) to the standard
// date (in local daylight time) of the year of the local standard time.
// Dates come in day-in-month form (year 0) or as a day of a month.
bool daylight_at(const ZoneInfo& zone, int64_t utc);

}  // namespace vt::port
