// Platform seam: the system's time-zone information and the "TZ" variable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "port/clock.h"

namespace vt::port {

constexpr int kZoneNameSize = 64;  // bytes of a zone name with its terminator

// The system's zone record (the TIME_ZONE_INFORMATION fields), biases in
// minutes (UTC = local + bias), names already narrowed to the ANSI code page
// and terminated within kZoneNameSize bytes. A transition date with year 0
// is in day-in-month form (day = occurrence 1-5, 5 the last).
struct ZoneInfo {
  int32_t bias;
  char standard_name[kZoneNameSize];
  WallTime standard_date;
  int32_t standard_bias;
  char daylight_name[kZoneNameSize];
  WallTime daylight_date;
  int32_t daylight_bias;
};

// What the system says of the zone now.
enum class ZoneNow { Failed, Unknown, Standard, Daylight };

// Reads the system's zone record; Failed leaves `info` unspecified.
ZoneNow system_zone(ZoneInfo& info);

// Copies the value of the environment variable "TZ" into buf (cut to
// size - 1 characters, terminated); false when the variable is not set.
bool read_tz(char* buf, std::size_t size);

// Test hook: answer system_zone with `info` and `now` instead of the
// system's (null releases).
void fix_zone_for_tests(const ZoneInfo* info, ZoneNow now);

// The platform's own query, behind the test hook.
ZoneNow query_system_zone(ZoneInfo& info);

}  // namespace vt::port
