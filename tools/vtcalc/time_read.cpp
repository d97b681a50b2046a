// Reading time cells: epoch seconds, the classic date patterns and ISO 8601.
// The calendar facts (leap years, month lengths, day numbers) are the
// library's own (time/civil.h); local times go through its mktime.
#include <cstdio>
#include <string>

#include "port/char_class.h"
#include "time/civil.h"
#include "time_cell.h"

namespace vtcalc {

namespace {

namespace civil = vt::time::civil;
using vt::port::is_digit;

constexpr int kFirstYear = 1970, kLastYear = 2099;
// An ISO text with an offset may name a local date just outside the range
// for an instant inside it ("1969-12-31T23:00:00-02:00"); the day numbers
// of the library's calendar cover these years.
constexpr int kFirstCalendarYear = 1969, kLastCalendarYear = 2100;
// ISO 8601 offsets: the zones in use lie within 14 hours; more than 18 is
// no zone at all.
constexpr int kMaxOffsetMinutes = 18 * 60;
constexpr const char* kZone = "\"Z\" or an offset +hh:mm is expected";

// Reads 1 to `max_digits` digits at p (at least `min_digits`).
bool read_number(const char*& p, const char* end, int min_digits, int max_digits, int& value) {
  value = 0;
  int n = 0;
  for (; p != end && is_digit(*p) && n < max_digits; ++p, ++n) value = value * 10 + (*p - '0');
  return n >= min_digits && (p == end || !is_digit(*p));
}

// Exactly two digits at p, whatever follows ("+0530" holds two fields).
bool read_two_digits(const char*& p, const char* end, int& value) {
  if (end - p < 2 || !is_digit(p[0]) || !is_digit(p[1])) return false;
  value = (p[0] - '0') * 10 + (p[1] - '0');
  p += 2;
  return true;
}

// Fraction digits after a decimal mark as milliseconds: three digits make
// them, the fourth rounds them (to 1000 at most: the caller carries).
bool read_millis(const char*& p, const char* end, int& millis) {
  millis = 0;
  int digits = 0;
  for (; p != end && is_digit(*p); ++p, ++digits) {
    if (digits < 3) millis = millis * 10 + (*p - '0');
    if (digits == 3 && *p >= '5') ++millis;
  }
  for (int d = digits; d < 3; ++d) millis *= 10;
  return digits > 0;
}

// Epoch seconds with an optional fraction. False when the text is not of
// that form or the value is past the range.
bool read_epoch(const char* p, const char* end, char decimal, TimeValue& out) {
  std::uint64_t seconds = 0;
  for (; p != end && is_digit(*p); ++p) {
    seconds = seconds * 10 + static_cast<unsigned>(*p - '0');
    if (seconds > VT_TIME_MAX) return false;
  }
  int millis = 0;
  out.fraction = p != end;
  if (out.fraction) {
    if (*p != decimal) return false;
    ++p;
    if (!read_millis(p, end, millis) || p != end) return false;
    if (millis == 1000) {
      millis = 0;
      ++seconds;
    }
  }
  if (seconds > VT_TIME_MAX) return false;
  out.t = static_cast<vt_time_t>(seconds);
  out.ms = millis;
  return true;
}

int days_in_month(int year, int month) { return civil::days_in_month(civil::is_leap(year - 1900), month - 1); }

// Day number (days since 1970-01-01) of a date in the calendar's years.
std::int64_t day_number(int year, int month, int day) {
  const int tm_year = year - 1900;
  return civil::days_from_year_day(tm_year, civil::days_before_month_of(tm_year, month - 1) + day - 1);
}

// mktime of local fields, the library deciding on daylight time.
vt_time_t local_time(int year, int month, int day, int hour, int minute, int second) {
  vt_tm tm{};
  tm.tm_sec = second;
  tm.tm_min = minute;
  tm.tm_hour = hour;
  tm.tm_mday = day;
  tm.tm_mon = month - 1;
  tm.tm_year = year - 1900;
  tm.tm_isdst = -1;
  return vt_mktime(&tm);
}

// Whether t is the local time of these fields: false for a time that the
// change to daylight time skips, which mktime moves to another hour.
bool is_local(vt_time_t t, int year, int month, int day, int hour, int minute, int second) {
  const vt_tm* tm = t == VT_TIME_INVALID ? nullptr : vt_localtime(&t);
  return tm && tm->tm_year == year - 1900 && tm->tm_mon == month - 1 && tm->tm_mday == day &&
         tm->tm_hour == hour && tm->tm_min == minute && tm->tm_sec == second;
}

// Adds whole seconds and a millisecond count that may have rounded to 1000.
void set_time(TimeValue& out, vt_time_t t, std::uint32_t seconds, int millis) {
  if (millis == 1000) {
    millis = 0;
    ++seconds;
  }
  out.t = static_cast<vt_time_t>(static_cast<std::uint32_t>(t) + seconds);
  out.ms = millis;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TimeRead TimeCellReader::read(std::string_view cell, TimeValue& out, TimeFault& fault) {
  out = TimeValue();
  fault.at = 0;  // the rest of the fault is read only where `at` is set
  std::size_t a = cell.find_first_not_of(" \t");
  if (a == std::string_view::npos) return TimeRead::empty;
  std::size_t b = cell.find_last_not_of(" \t") + 1;
  const char* p = cell.data() + a;
  const char* end = cell.data() + b;
  bool epoch = true;
  for (const char* q = p; q != end && epoch; ++q) epoch = is_digit(*q) || *q == decimal_;
  if (epoch) return read_epoch(p, end, decimal_, out) ? TimeRead::ok : TimeRead::bad;
  return n_.iso ? read_iso(cell.data(), p, end, out, fault) : read_classic(p, end, out);
}

TimeRead TimeCellReader::read_classic(const char* p, const char* end, TimeValue& out) {
  int part[3];
  for (int i = 0; i < 3; ++i) {
    if (i && (p == end || *p++ != n_.date_sep)) return TimeRead::bad;
    bool year = n_.order[i] == 'y';
    if (!read_number(p, end, year ? 4 : 1, year ? 4 : 2, part[i])) return TimeRead::bad;
  }
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) (n_.order[i] == 'd' ? day : n_.order[i] == 'm' ? month : year) = part[i];
  if (p == end || !is_blank(*p)) return TimeRead::bad;
  while (p != end && is_blank(*p)) ++p;
  int hour = 0, minute = 0, second = 0, millis = 0;
  if (!read_number(p, end, 1, 2, hour) || p == end || *p++ != n_.time_sep || !read_number(p, end, 2, 2, minute))
    return TimeRead::bad;
  if (p != end && *p == n_.time_sep) {
    ++p;
    if (!read_number(p, end, 2, 2, second)) return TimeRead::bad;
    if (p != end && (*p == '.' || *p == decimal_)) {
      ++p;
      if (!read_millis(p, end, millis)) return TimeRead::bad;
      out.fraction = true;
    }
  }
  if (p != end || hour > 23 || minute > 59 || second > 59) return TimeRead::bad;
  if (month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) return TimeRead::no_such_date;
  if (year < kFirstYear || year > kLastYear) return TimeRead::bad;
  // These patterns take a skipped local time as mktime moves it.
  bool exists;
  vt_time_t t = hour_start(year, month, day, hour, exists);
  if (t == VT_TIME_INVALID) return TimeRead::bad;
  set_time(out, t, static_cast<std::uint32_t>(minute * 60 + second), millis);
  return TimeRead::ok;
}

TimeRead TimeCellReader::read_iso(const char* begin, const char* p, const char* end, TimeValue& out,
                                  TimeFault& fault) {
  auto fail = [&](TimeRead r, const char* at, std::string what) {
    fault.at = static_cast<std::size_t>(at - begin) + 1;
    fault.what = std::move(what);
    return r;
  };
  auto past = [&](const char* at, const char* field, int value, const char* range) {
    fault.range = range;
    return fail(TimeRead::out_of_range, at, std::string(field) + " " + std::to_string(value));
  };

  // yyyy-mm-dd
  const char* date = p;
  int year = 0, month = 0, day = 0;
  if (!read_number(p, end, 4, 4, year) || p == end || *p++ != '-' || !read_number(p, end, 2, 2, month) ||
      p == end || *p++ != '-' || !read_number(p, end, 2, 2, day))
    return fail(TimeRead::bad, date, "a date yyyy-mm-dd is expected");
  if (month < 1 || month > 12) return past(date + 5, "month", month, "01-12");
  if (day < 1 || day > 31) return past(date + 8, "day", day, "01-31");
  if (day > days_in_month(year, month)) return TimeRead::no_such_date;

  // "T" or blanks, then hh:mm[:ss[.fff]]
  if (p == end || (*p != 'T' && !is_blank(*p))) return fail(TimeRead::bad, p, "\"T\" and a time hh:mm:ss are expected");
  if (*p == 'T') ++p;
  else
    while (p != end && is_blank(*p)) ++p;
  const char* clock = p;
  if (p == end) return fail(TimeRead::bad, p - 1, "a time hh:mm:ss is expected after it");
  int hour = 0, minute = 0, second = 0, millis = 0;
  if (!read_number(p, end, 2, 2, hour) || p == end || *p++ != ':' || !read_number(p, end, 2, 2, minute))
    return fail(TimeRead::bad, clock, "a time hh:mm:ss is expected");
  if (p != end && *p == ':') {
    ++p;
    if (!read_number(p, end, 2, 2, second)) return fail(TimeRead::bad, clock, "a time hh:mm:ss is expected");
    if (p != end && (*p == '.' || *p == ',')) {
      ++p;
      if (!read_millis(p, end, millis)) return fail(TimeRead::bad, clock, "a time hh:mm:ss.fff is expected");
      out.fraction = true;
    }
  }
  if (hour > 24) return past(clock, "hour", hour, "00-23, or 24:00:00");
  if (hour == 24 && (minute || second || millis)) return past(clock, "hour", hour, "00-23, or 24:00:00");
  if (minute > 59) return past(clock + 3, "minute", minute, "00-59");
  if (second > 59) return past(clock + 6, "second", second, "00-59");

  // Z, +hh:mm, +hhmm, or nothing: local time.
  bool has_offset = p != end;
  int offset_minutes = 0;
  if (has_offset) {
    const char* zone = p;
    if (*p == 'Z') {
      ++p;
    } else {
      int oh = 0, om = 0;
      const bool west = *p == '-';
      if ((*p != '+' && *p != '-') || !read_two_digits(++p, end, oh)) return fail(TimeRead::bad, zone, kZone);
      if (p != end && *p == ':') ++p;
      if (!read_number(p, end, 2, 2, om)) return fail(TimeRead::bad, zone, kZone);
      if (om > 59) return past(zone, "offset minute", om, "00-59");
      offset_minutes = oh * 60 + om;
      if (offset_minutes > kMaxOffsetMinutes) {
        char text[16];
        std::snprintf(text, sizeof text, "%c%02d:%02d", *zone, oh, om);
        fault.range = "at most 18 hours";
        return fail(TimeRead::out_of_range, zone, std::string("offset ") + text);
      }
      if (west) offset_minutes = -offset_minutes;
    }
    if (p != end) return fail(TimeRead::bad, p, "nothing may follow the zone");
  }

  const char* outside = "the time lies outside 1970-2099";
  if (has_offset) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return fail(TimeRead::bad, date, outside);
    const std::int64_t t = day_number(year, month, day) * civil::kSecondsPerDay + hour * 3600 + minute * 60 +
                           second - offset_minutes * 60;
    if (t < 0 || t + (millis == 1000) > VT_TIME_MAX) return fail(TimeRead::bad, date, outside);
    set_time(out, static_cast<vt_time_t>(t), 0, millis);
    return TimeRead::ok;
  }
  if (hour == 24) {  // the end of a day is the start of the next
    const civil::Date next = civil::split_days(static_cast<std::int32_t>(day_number(year, month, day) + 1));
    year = next.year + 1900, month = next.month + 1, day = next.mday, hour = 0;
  }
  if (year < kFirstYear || year > kLastYear) return fail(TimeRead::bad, date, outside);
  bool exists;
  vt_time_t t = hour_start(year, month, day, hour, exists);
  std::uint32_t into_hour = static_cast<std::uint32_t>(minute * 60 + second);
  if (!exists) {  // a change of daylight time within the hour: this second alone
    t = local_time(year, month, day, hour, minute, second);
    if (!is_local(t, year, month, day, hour, minute, second)) return TimeRead::no_such_local_time;
    into_hour = 0;
  }
  if (t == VT_TIME_INVALID) return fail(TimeRead::bad, date, outside);
  set_time(out, t, into_hour, millis);
  return TimeRead::ok;
}

vt_time_t TimeCellReader::hour_start(int year, int month, int day, int hour, bool& exists) {
  auto& h = last_hour_;
  exists = true;
  if (h.year == year && h.month == month && h.day == day && h.hour == hour) return h.start;
  vt_time_t t = local_time(year, month, day, hour, 0, 0);
  vt_time_t end = local_time(year, month, day, hour, 59, 59);
  exists = t != VT_TIME_INVALID && end != VT_TIME_INVALID &&
           static_cast<std::uint32_t>(end) - static_cast<std::uint32_t>(t) == 3599 &&
           is_local(t, year, month, day, hour, 0, 0) && is_local(end, year, month, day, hour, 59, 59);
  if (exists) h = {year, month, day, hour, t};
  return t;
}

}  // namespace vtcalc
