// The process-wide zone state and the daylight-saving transition rules.
//
// The state comes from "TZ" when it is set (name, offset, name: the dates of
// daylight time then follow the library's fixed rules) or else from the
// system's zone record (its own transition dates). It is read once, lazily,
// and again on every tzset_. Nothing here takes a lock: concurrent first
// readers write the same values.
#pragma once

#include <cstdint>

#include "port/zone.h"
#include "time/civil.h"

namespace vt::time {

constexpr int kZoneNameSize = port::kZoneNameSize;
// Longest "TZ" value kept; only its first few characters are read, so a
// longer value is compared and applied cut to this length.
constexpr int kTzTextSize = 128;

struct ZoneState {
  int32_t timezone = 28800;  // UTC = local standard time + timezone
  int32_t daylight = 1;      // nonzero: the zone has daylight time
  int32_t dstbias = -3600;   // UTC = local daylight time + timezone + dstbias
  char tzname[2][kZoneNameSize] = {"PST", "PDT"};
};

// Re-reads the zone state from "TZ" or the system (the exported tzset_).
void read_zone();

// How many times the zone has been read: what time() keeps of the system's
// zone (its daylight flag of the current minute) is asked again after a
// read, since the zone may have changed with it.
uint32_t zone_reads();

// A transition: day of the year (0-based) and milliseconds after local
// standard midnight.
struct Transition {
  int32_t day;
  int32_t ms;
};

// A transition rule: day-in-month form (occurrence 1-5, 5 the last; weekday
// 0 = Sunday) or absolute form (day of the month), and the time of day.
struct TransitionRule {
  bool day_in_month;
  int32_t month;  // 1-12
  int32_t occurrence_or_day;
  int32_t weekday;
  int32_t hour, minute, second, ms;
};

// One transition date of year `tm_year`. The end of daylight time is given
// in daylight time by the rules and moves by dstbias into standard time.
Transition dst_transition(bool is_end, const TransitionRule& rule, int32_t tm_year,
                          int32_t dstbias);

namespace detail {

constexpr int32_t kTableFirstYear = 69;  // 1969: local times of the first day
constexpr int32_t kTableLastYear = 200;  // 2100: local times of the last day

struct YearTransitions {
  Transition start, end;
};

// A year's rule as seconds of the year (local standard time) between which
// daylight time holds: from `start` on and before `end` when not
// `southern`, else before `end` or from `start` on. Equivalent to the
// day-and-milliseconds reading of the transitions (see window_of).
struct DaylightWindow {
  int32_t start, end;
  bool southern;
};

// Everything the library keeps of the zone, in one place and read inline
// (every localtime asks it): the exported values, where they came from (the
// last "TZ" applied, or the system's record), the reading's flags, and the
// per-year transition table of every year a breakdown can meet.
struct Zone {
  ZoneState state;
  char tz_copy[kTzTextSize] = "";  // the last "TZ" applied
  bool have_tz_copy = false;
  bool from_system = false;        // the rules are those of `system`
  port::ZoneInfo system{};
  bool read_once = false;
  uint32_t reads = 0;
  bool table_valid = false;
  int32_t table_bias = 0;  // the dstbias the table's end dates were moved by
  DaylightWindow table[kTableLastYear - kTableFirstYear + 1];
};
extern Zone g_zone;

void read_zone_first();
void build_table();
DaylightWindow window_of(int32_t tm_year);

}  // namespace detail

// The zone state; callers may write its values (through the exported
// accessors), which the transition rules then follow.
inline ZoneState& zone_state() { return detail::g_zone.state; }

// Reads the zone state the first time it is asked, never again.
inline void read_zone_once() {
  if (!detail::g_zone.read_once) detail::read_zone_first();
}

// Whether daylight time is in effect at second `second_of_day` of day
// `yday` of year `tm_year`, local standard time.
inline bool dst_active_at(int32_t tm_year, int32_t yday, int32_t second_of_day) {
  detail::Zone& c = detail::g_zone;
  if (!c.state.daylight) return false;
  if (!c.table_valid || c.table_bias != c.state.dstbias) detail::build_table();
  const detail::DaylightWindow w =
      tm_year >= detail::kTableFirstYear && tm_year <= detail::kTableLastYear
          ? c.table[tm_year - detail::kTableFirstYear]
          : detail::window_of(tm_year);
  int32_t p = yday * civil::kSecondsPerDay + second_of_day;
  // Without branches: which side of a transition a time lies on is as good
  // as random to the processor.
  const bool after_start = p >= w.start, before_end = p < w.end;
  return (after_start & before_end) | (w.southern & (after_start | before_end));
}

// The same for broken-down fields of local standard time.
inline bool dst_active(int32_t tm_year, int32_t yday, int32_t hour, int32_t minute,
                       int32_t second) {
  return dst_active_at(tm_year, yday,
                       hour * civil::kSecondsPerHour + minute * civil::kSecondsPerMinute + second);
}

}  // namespace vt::time
