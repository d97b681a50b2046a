// Native builds: a zone rule in the text form of the C library's "TZ"
// ("CET-1CEST,M3.5.0,M10.5.0/3", "<+0530>-5:30") as the zone record the
// library reads from the system: bias, names, and the two transition dates.
#pragma once

#include "port/zone.h"

namespace vt::port {

// Reads a whole rule text: standard name and offset, then optionally the
// daylight name, its offset (one hour ahead by default) and the two dates
// ("Mm.w.d", "Jn" or "n", each with an optional "/time"; without dates the
// C library's default, the second Sunday of March to the first Sunday of
// November, both at 02:00). The record is what the library can hold:
//   - biases in whole minutes (seconds of an offset are dropped);
//   - "Jn" and "n" as a day of a month; "n" counts 29 February, so from
//     March on it is read as in a common year;
//   - transition times within the day: a time before 00:00 or after 24:00
//     (tzdata's "/-1", "/26") is moved to that end of its day.
// False, record unspecified, for text that is no complete rule.
bool zone_of_rule(const char* text, ZoneInfo& out);

}  // namespace vt::port
