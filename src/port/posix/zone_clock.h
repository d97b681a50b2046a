// Native builds: the local wall clock under a zone record, as the system
// derives it from the record it reports. The library's time() turns that
// wall clock back into epoch time with the same record, so the two must
// agree on when daylight time holds.
#pragma once

#include <cstdint>

#include "port/zone.h"

namespace vt::port {

// Whether daylight time holds at `utc` (seconds since 1970 UTC) under
// `zone`: from the daylight date (in local standard time) to the standard
// date (in local daylight time) of the year of the local standard time.
// Dates come in day-in-month form (year 0) or as a day of a month.
bool daylight_at(const ZoneInfo& zone, int64_t utc);

// The local wall clock at `utc` under `zone`, as seconds since 1970 of that
// clock read as UTC: standard time, or daylight time when `daylight` and
// the zone has it.
int64_t local_seconds(const ZoneInfo& zone, int64_t utc, bool daylight);

}  // namespace vt::port
