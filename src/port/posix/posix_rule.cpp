// The rule text of "TZ" and of a zone file's footer, read into the system's
// zone record. A recursive-descent reader over a terminated text: each step
// takes what it recognises and reports whether it did; nothing reads past
// the terminator, and numbers are bounded before they grow.
#include "port/posix/posix_rule.h"

#include <time.h>

#include <charconv>
#include <cstring>
#include <system_error>

#include "port/char_class.h"

namespace vt::port {

namespace {

constexpr int kMinNameLength = 3;
// Offsets of a zone lie within a day; the times of its transitions may lie
// up to a week either way (tzdata writes "/26" for 02:00 the next day).
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxRuleHours = 167;
constexpr int kSecondsPerDay = 86400;
constexpr int kDefaultRuleTime = 2 * 3600;
// Day-in-month rules count weeks 1 to 5 (5: the last) and weekdays 0 to 6.
constexpr int kLastWeek = 5;
constexpr int kMaxJulianDay = 365;
// The year field of an absolute transition date: any year but 0, which
// marks the day-in-month form.
constexpr uint16_t kAbsoluteDate = 1;
// A common year, for the day of the month of a "Jn" or "n" day.
constexpr int kCommonYear = 70;

// A name: three or more letters, or "<...>" with letters, digits and signs.
bool read_name(const char*& p, char* out) {
  const char* start = p;
  std::size_t n = 0;
  if (*p == '<') {
    start = ++p;
    while (is_letter(*p) || is_digit(*p) || *p == '+' || *p == '-') ++p;
    n = static_cast<std::size_t>(p - start);
    if (*p != '>') return false;
    ++p;
  } else {
    while (is_letter(*p)) ++p;
    n = static_cast<std::size_t>(p - start);
  }
  if (n < kMinNameLength) return false;
  if (n >= static_cast<std::size_t>(kZoneNameSize)) n = kZoneNameSize - 1;
  std::memcpy(out, start, n);
  out[n] = '\0';
  return true;
}

// An unsigned number of 1 to `max_digits` digits not above `max`.
// Reading into an unsigned value takes neither a blank nor a sign.
bool read_field(const char*& p, int max_digits, int max, int& out) {
  unsigned value = 0;
  std::from_chars_result r = std::from_chars(p, p + std::strlen(p), value);
  if (r.ec != std::errc() || r.ptr - p > max_digits || value > static_cast<unsigned>(max)) return false;
  out = static_cast<int>(value);
  p = r.ptr;
  return true;
}

// [+-]h[h[h]][:mm[:ss]] as signed seconds.
bool read_clock(const char*& p, int max_hours, int& seconds) {
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  int h, m = 0, s = 0;
  if (!read_field(p, 3, max_hours, h)) return false;
  if (*p == ':') {
    ++p;
    if (!read_field(p, 2, 59, m)) return false;
    if (*p == ':') {
      ++p;
      if (!read_field(p, 2, 59, s)) return false;
    }
  }
  seconds = h * 3600 + m * 60 + s;
  if (negative) seconds = -seconds;
  return true;
}

// The day of the month of day `yday` (0-based) of a common year, through
// the C library's calendar.
void common_year_day(int yday, WallTime& out) {
  struct tm t {};
  t.tm_year = kCommonYear;
  t.tm_mday = 1 + yday;
  time_t at = timegm(&t);
  struct tm r;
  gmtime_r(&at, &r);
  out.month = static_cast<uint16_t>(r.tm_mon + 1);
  out.day = static_cast<uint16_t>(r.tm_mday);
}

// One transition date with its optional time, in the record's form.
bool read_date(const char*& p, WallTime& out) {
  out = WallTime{};
  int a, b, c;
  if (*p == 'M') {
    ++p;
    if (!read_field(p, 2, 12, a) || a == 0 || *p++ != '.') return false;
    if (!read_field(p, 1, kLastWeek, b) || b == 0 || *p++ != '.') return false;
    if (!read_field(p, 1, 6, c)) return false;
    out.month = static_cast<uint16_t>(a);
    out.day = static_cast<uint16_t>(b);
    out.day_of_week = static_cast<uint16_t>(c);
  } else if (*p == 'J') {
    ++p;
    if (!read_field(p, 3, kMaxJulianDay, a) || a == 0) return false;
    out.year = kAbsoluteDate;
    common_year_day(a - 1, out);  // "Jn" never counts 29 February
  } else {
    if (!read_field(p, 3, kMaxJulianDay, a)) return false;
    out.year = kAbsoluteDate;
    common_year_day(a, out);
  }
  int t = kDefaultRuleTime;
  if (*p == '/') {
    ++p;
    if (!read_clock(p, kMaxRuleHours, t)) return false;
  }
  // The record holds a time within the day; 24:00 is its end.
  t = t < 0 ? 0 : t > kSecondsPerDay ? kSecondsPerDay : t;
  out.hour = static_cast<uint16_t>(t / 3600);
  out.minute = static_cast<uint16_t>(t / 60 % 60);
  out.second = static_cast<uint16_t>(t % 60);
  return true;
}

}  // namespace

bool zone_of_rule(const char* text, ZoneInfo& out) {
  if (!text) return false;
  out = ZoneInfo{};
  const char* p = text;
  int standard_west;
  if (!read_name(p, out.standard_name) || !read_clock(p, kMaxOffsetHours, standard_west))
    return false;
  out.bias = standard_west / 60;
  if (*p == '\0') return true;  // no daylight time: both dates stay empty

  if (!read_name(p, out.daylight_name)) return false;
  int daylight_west = standard_west - 3600;
  if (*p != ',' && *p != '\0' && !read_clock(p, kMaxOffsetHours, daylight_west)) return false;
  out.daylight_bias = daylight_west / 60 - out.bias;
  if (*p == '\0') {
    // The C library's default dates: second Sunday of March, first of November.
    out.daylight_date = WallTime{0, 3, 0, 2, 2, 0, 0, 0};
    out.standard_date = WallTime{0, 11, 0, 1, 2, 0, 0, 0};
    return true;
  }
  if (*p++ != ',' || !read_date(p, out.daylight_date)) return false;
  if (*p++ != ',' || !read_date(p, out.standard_date)) return false;
  return *p == '\0';
}

}  // namespace vt::port
