// Zone state, "TZ" parsing, transition dates and the per-year transition
// table. The table holds every year a breakdown can meet (1969 to 2100); it
// is rebuilt when the zone is read again or when a caller has changed
// dstbias or the zone source since, so that a lookup costs one index.
#include "time/zone.h"

#include <cstring>

#include "frame/number_field.h"
#include "port/char_class.h"
#include "time/civil.h"

namespace vt::time {

namespace {

constexpr int32_t kMsPerDay = civil::kMillisecondsPerDay;

using detail::g_zone;

// Fixed rules of a zone given by "TZ": daylight time from the first Sunday
// of April to the last Sunday of October, both at 02:00.
constexpr TransitionRule kFixedStart = {true, 4, 1, 0, 2, 0, 0, 0};
constexpr TransitionRule kFixedEnd = {true, 10, 5, 0, 2, 0, 0, 0};

TransitionRule rule_of(const port::WallTime& d) {
  return TransitionRule{d.year == 0, d.month, d.day, d.day_of_week,
                        d.hour,      d.minute, d.second, d.milliseconds};
}

// A decimal number as the C library's text-to-integer conversion reads it
// (white space, sign, digits), in 32-bit two's complement.
uint32_t read_int(const char* p) { return static_cast<uint32_t>(frame::read_number(p).value); }

void copy_name(char* dst, const char* src, int n) {
  int i = 0;
  for (; i < n && src[i]; ++i) dst[i] = src[i];
  dst[i] = '\0';
}

const char* skip_digits(const char* p) {
  while (port::is_digit(*p)) ++p;
  return p;
}

// "TZ" in the form NNN[-]h[:mm[:ss]][DDD...]: three letters of standard
// name, the offset west of UTC, and any text after it marking daylight time.
void apply_tz(const char* tz) {
  size_t len = std::strlen(tz);
  copy_name(g_zone.state.tzname[0], tz, 3);
  const char* p = tz + (len < 3 ? len : 3);
  bool neg = *p == '-';
  if (neg) ++p;
  uint32_t sum = read_int(p) * static_cast<uint32_t>(civil::kSecondsPerHour);
  while (*p == '+' || port::is_digit(*p)) ++p;
  if (*p == ':') {
    sum += read_int(++p) * static_cast<uint32_t>(civil::kSecondsPerMinute);
    p = skip_digits(p);
    if (*p == ':') {
      sum += read_int(++p);
      p = skip_digits(p);
    }
  }
  g_zone.state.timezone = static_cast<int32_t>(neg ? 0u - sum : sum);
  g_zone.state.daylight = static_cast<unsigned char>(*p);
  if (g_zone.state.daylight)
    copy_name(g_zone.state.tzname[1], p, 3);
  else
    g_zone.state.tzname[1][0] = '\0';
}

void apply_system(const port::ZoneInfo& z) {
  g_zone.from_system = true;
  g_zone.system = z;
  int32_t tz = z.bias * 60;
  if (z.standard_date.month != 0) tz += z.standard_bias * 60;
  g_zone.state.timezone = tz;
  if (z.daylight_date.month != 0 && z.daylight_bias != 0) {
    g_zone.state.daylight = 1;
    g_zone.state.dstbias = (z.daylight_bias - z.standard_bias) * 60;
  } else {
    g_zone.state.daylight = 0;
    g_zone.state.dstbias = 0;
  }
  std::memcpy(g_zone.state.tzname[0], z.standard_name, kZoneNameSize);
  std::memcpy(g_zone.state.tzname[1], z.daylight_name, kZoneNameSize);
  g_zone.state.tzname[0][kZoneNameSize - 1] = g_zone.state.tzname[1][kZoneNameSize - 1] = '\0';
}


}  // namespace

namespace detail {

Zone g_zone;

// Both transitions of one year under the rules in force: the system's
// record when the zone came from it, else the fixed rules.
YearTransitions transitions_of(int32_t tm_year) {
  TransitionRule start = kFixedStart, end = kFixedEnd;
  if (g_zone.from_system) {
    start = rule_of(g_zone.system.daylight_date);
    end = rule_of(g_zone.system.standard_date);
  }
  return YearTransitions{dst_transition(false, start, tm_year, g_zone.state.dstbias),
                         dst_transition(true, end, tm_year, g_zone.state.dstbias)};
}

// Daylight time holds from the start day at its time (every second of that
// day at or after it) to the end day before its time; days between the two
// decide whole. Times of day are whole seconds, so a transition at s.mmm
// seconds counts from the next whole second; a start time beyond the day
// (a malformed record) starts with the next day. When both fall on one day
// the start alone decides that day.
DaylightWindow window_of(int32_t tm_year) {
  const YearTransitions t = transitions_of(tm_year);
  auto seconds_of = [](const Transition& x) {
    int32_t ms = x.ms < 0 ? 0 : x.ms > kMsPerDay ? kMsPerDay : x.ms;
    return x.day * civil::kSecondsPerDay + (ms + 999) / 1000;
  };
  DaylightWindow w;
  w.southern = !(t.start.day < t.end.day);
  w.start = seconds_of(t.start);
  w.end = t.start.day == t.end.day ? t.end.day * civil::kSecondsPerDay : seconds_of(t.end);
  return w;
}

void build_table() {
  for (int32_t y = kTableFirstYear; y <= kTableLastYear; ++y)
    g_zone.table[y - kTableFirstYear] = window_of(y);
  g_zone.table_bias = g_zone.state.dstbias;
  g_zone.table_valid = true;
}

void read_zone_first() {
  g_zone.read_once = true;
  read_zone();
}

}  // namespace detail

uint32_t zone_reads() { return g_zone.reads; }

void read_zone() {
  ++g_zone.reads;
  g_zone.from_system = false;
  g_zone.table_valid = false;
  char tz[kTzTextSize];
  if (port::read_tz(tz, sizeof tz)) {
    if (tz[0] == '\0') return;
    if (g_zone.have_tz_copy && std::strcmp(tz, g_zone.tz_copy) == 0) return;
    std::memcpy(g_zone.tz_copy, tz, sizeof tz);
    g_zone.have_tz_copy = true;
    apply_tz(tz);
    return;
  }
  port::ZoneInfo z;
  if (port::system_zone(z) == port::ZoneNow::Failed) return;
  apply_system(z);
}


Transition dst_transition(bool is_end, const TransitionRule& rule, int32_t tm_year,
                          int32_t dstbias) {
  bool leap = civil::is_leap(tm_year);
  // A month outside 1-12 (a malformed system record) is read as January.
  int32_t month = rule.month >= 1 && rule.month <= 12 ? rule.month - 1 : 0;
  int32_t first = civil::days_before_month(leap, month);
  Transition t;
  if (rule.day_in_month) {
    int32_t w = civil::weekday(civil::days_from_year_day(tm_year, first));
    int32_t occ = rule.occurrence_or_day;
    t.day = first + (rule.weekday - w) + 7 * (w <= rule.weekday ? occ - 1 : occ);
    if (occ == 5 && t.day >= first + civil::days_in_month(leap, month)) t.day -= 7;
  } else {
    t.day = first + rule.occurrence_or_day - 1;
  }
  // 64 bits: a malformed record may carry any 16-bit time of day.
  int64_t ms = ((int64_t{rule.hour} * 60 + rule.minute) * 60 + rule.second) * 1000 + rule.ms;
  if (is_end) {
    ms += int64_t{dstbias} * 1000;
    if (ms < 0) {
      ms += kMsPerDay;
      --t.day;
    } else if (ms >= kMsPerDay) {
      ms -= kMsPerDay;
      ++t.day;
    }
  }
  t.ms = static_cast<int32_t>(ms);
  return t;
}

}  // namespace vt::time
