#include "time_cell.h"

#include <cstdio>
#include <cstring>

#include "port/char_class.h"

namespace vtcalc {

namespace {

constexpr vt_time_t kExampleTime = 1715949045;  // 2024-05-17 12:30:45 UTC
constexpr int kFirstYear = 1970, kLastYear = 2099;

using vt::port::is_digit;

// Reads 1 to `max_digits` digits at p (at least `min_digits`).
bool read_number(const char*& p, const char* end, int min_digits, int max_digits, int& value) {
  value = 0;
  int n = 0;
  for (; p != end && is_digit(*p) && n < max_digits; ++p, ++n) value = value * 10 + (*p - '0');
  return n >= min_digits && (p == end || !is_digit(*p));
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

bool leap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int days_in_month(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap(year) ? 29 : kDays[month - 1];
}

// The epoch time of a local hour's start. Rows of a recording come in
// order, so the last hour is kept: a row of the same hour costs no mktime.
// An hour whose 3600 seconds are not all local time (a change of daylight
// time inside it) is not kept.
vt_time_t local_hour_start(int year, int month, int day, int hour) {
  static int key[4] = {-1, -1, -1, -1};
  static vt_time_t start = VT_TIME_INVALID;
  if (key[0] == year && key[1] == month && key[2] == day && key[3] == hour) return start;
  auto local = [&](int minute, int second) {
    vt_tm tm{};
    tm.tm_sec = second;
    tm.tm_min = minute;
    tm.tm_hour = hour;
    tm.tm_mday = day;
    tm.tm_mon = month - 1;
    tm.tm_year = year - 1900;
    tm.tm_isdst = -1;
    return vt_mktime(&tm);
  };
  vt_time_t t = local(0, 0);
  vt_time_t end = local(59, 59);
  bool whole = t != VT_TIME_INVALID && end != VT_TIME_INVALID &&
               static_cast<std::uint32_t>(end) - static_cast<std::uint32_t>(t) == 3599;
  key[0] = whole ? year : -1;
  key[1] = month, key[2] = day, key[3] = hour;
  start = t;
  return t;
}

}  // namespace

bool parse_notation(const std::string& pattern, Notation& out) {
  Notation n;
  const char* p = pattern.c_str();
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (*p == '\0' || is_digit(*p) || (*p >= 'a' && *p <= 'z') || *p == ' ') return false;
      if (i == 1) n.date_sep = *p;
      if (*p != n.date_sep) return false;
      ++p;
    }
    if (std::strncmp(p, "dd", 2) == 0) {
      n.order[i] = 'd', p += 2;
    } else if (std::strncmp(p, "mm", 2) == 0) {
      n.order[i] = 'm', p += 2;
    } else if (std::strncmp(p, "yyyy", 4) == 0) {
      n.order[i] = 'y', p += 4;
    } else {
      return false;
    }
  }
  std::string order(n.order, 3);
  if (order != "dmy" && order != "mdy" && order != "ymd") return false;
  if (*p == ' ') {
    ++p;
    if (std::strncmp(p, "hh", 2) != 0) return false;
    p += 2;
    n.time_sep = *p;
    if (n.time_sep == '\0' || is_digit(n.time_sep) || n.time_sep == ' ' || std::strncmp(p + 1, "mm", 2) != 0)
      return false;
    p += 3;
    if (*p == n.time_sep && std::strncmp(p + 1, "ss", 2) == 0) p += 3;
  }
  if (*p != '\0') return false;
  out = n;
  return true;
}

std::string notation_pattern(const Notation& n) {
  std::string s;
  for (int i = 0; i < 3; ++i) {
    if (i) s += n.date_sep;
    s += n.order[i] == 'd' ? "dd" : n.order[i] == 'm' ? "mm" : "yyyy";
  }
  return s + " hh" + n.time_sep + "mm" + n.time_sep + "ss";
}

TimeRead read_time_cell(std::string_view cell, char decimal, const Notation& n, TimeValue& out) {
  out = TimeValue();
  std::size_t a = cell.find_first_not_of(" \t");
  if (a == std::string_view::npos) return TimeRead::empty;
  std::size_t b = cell.find_last_not_of(" \t") + 1;
  const char* p = cell.data() + a;
  const char* end = cell.data() + b;
  bool epoch = true;
  for (const char* q = p; q != end && epoch; ++q) epoch = is_digit(*q) || *q == decimal;
  if (epoch) return read_epoch(p, end, decimal, out) ? TimeRead::ok : TimeRead::bad;

  int part[3];
  for (int i = 0; i < 3; ++i) {
    if (i && (p == end || *p++ != n.date_sep)) return TimeRead::bad;
    bool year = n.order[i] == 'y';
    if (!read_number(p, end, year ? 4 : 1, year ? 4 : 2, part[i])) return TimeRead::bad;
  }
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) (n.order[i] == 'd' ? day : n.order[i] == 'm' ? month : year) = part[i];
  if (p == end || (*p != ' ' && *p != '\t')) return TimeRead::bad;
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  int hour = 0, minute = 0, second = 0, millis = 0;
  if (!read_number(p, end, 1, 2, hour) || p == end || *p++ != n.time_sep || !read_number(p, end, 2, 2, minute))
    return TimeRead::bad;
  if (p != end && *p == n.time_sep) {
    ++p;
    if (!read_number(p, end, 2, 2, second)) return TimeRead::bad;
    if (p != end && (*p == '.' || *p == decimal)) {
      ++p;
      if (!read_millis(p, end, millis)) return TimeRead::bad;
      out.fraction = true;
    }
  }
  if (p != end || hour > 23 || minute > 59 || second > 59) return TimeRead::bad;
  if (month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) return TimeRead::no_such_date;
  if (year < kFirstYear || year > kLastYear) return TimeRead::bad;
  vt_time_t t = local_hour_start(year, month, day, hour);
  if (t == VT_TIME_INVALID) return TimeRead::bad;
  t = static_cast<vt_time_t>(static_cast<std::uint32_t>(t) + static_cast<std::uint32_t>(minute * 60 + second));
  if (millis == 1000) {
    millis = 0;
    ++t;
  }
  out.t = t;
  out.ms = millis;
  return TimeRead::ok;
}

bool write_time(char* out, vt_time_t t, int ms, bool with_ms, const Notation& n) {
  // Zone offsets are whole minutes: within one minute of epoch time only
  // the seconds change, so the text up to the minutes is kept.
  static std::uint32_t minute = 0xFFFFFFFF;  // none yet
  static Notation notation;
  static char prefix[kTimeTextSize];
  static int prefix_len = 0;
  out[0] = '\0';
  std::uint32_t u = static_cast<std::uint32_t>(t);
  if (u / 60 != minute || std::memcmp(&notation, &n, sizeof n) != 0) {
    const vt_tm* tm = vt_localtime(&t);
    if (!tm) return false;
    int value[3];
    for (int i = 0; i < 3; ++i)
      value[i] = n.order[i] == 'd' ? tm->tm_mday : n.order[i] == 'm' ? tm->tm_mon + 1 : tm->tm_year + 1900;
    prefix_len = std::snprintf(prefix, sizeof prefix, "%02d%c%02d%c%02d %02d%c%02d%c", value[0], n.date_sep,
                               value[1], n.date_sep, value[2], tm->tm_hour, n.time_sep, tm->tm_min, n.time_sep);
    minute = u / 60;
    notation = n;
  }
  std::memcpy(out, prefix, static_cast<std::size_t>(prefix_len));
  int second = static_cast<int>(u % 60);
  char* p = out + prefix_len;
  *p++ = static_cast<char>('0' + second / 10);
  *p++ = static_cast<char>('0' + second % 10);
  if (with_ms) {
    *p++ = '.';
    *p++ = static_cast<char>('0' + ms / 100);
    *p++ = static_cast<char>('0' + ms / 10 % 10);
    *p++ = static_cast<char>('0' + ms % 10);
  }
  *p = '\0';
  return true;
}

std::string example_time_text(const Notation& n) {
  char buf[kTimeTextSize];
  write_time(buf, kExampleTime, 0, false, n);
  return buf;
}

}  // namespace vtcalc
