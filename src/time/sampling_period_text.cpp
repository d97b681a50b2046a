// Sampling periods as text (TastTmStr, ScanTastTmStr). Writing rounds to the millisecond and carries into the
// seconds; reading accepts months ("m", 31 days) and days ("d") before up to
// three clock fields, a fraction, an "s" unit or a whole count of
// milliseconds ("500ms").
#include "time/sampling_period_text.h"

#include <cmath>
#include <cstring>

#include "frame/locale_state.h"
#include "frame/number_field.h"
#include "port/char_class.h"
#include "time/civil.h"

namespace vt::time {

namespace {

constexpr int64_t kMaxDays = 99999;  // five digits: what the buffer holds
constexpr int64_t kSecondsPerDay = civil::kSecondsPerDay;
constexpr int kDurationCopySize = 80;  // longer texts are rejected
constexpr int kDaysPerMonth = 31;
constexpr int kMaxClockFields = 3;

char* put2(char* p, int64_t v) {
  p[0] = static_cast<char>('0' + v / 10);
  p[1] = static_cast<char>('0' + v % 10);
  return p + 2;
}

// A decimal fraction given by its digits, rounded to milliseconds (a
// carry to 1000 is kept and adds up as a whole second).
int64_t fraction_ms(const char* p, int* digits) {
  p = port::skip_space(p);
  double scale = 100.0, ms = 0.0;
  *digits = 0;
  for (; port::is_digit(*p); ++p, ++*digits) {
    ms += (*p - '0') * scale;
    scale /= 10.0;
  }
  return static_cast<int64_t>(std::floor(ms + 0.5));
}

bool allowed(char c, char time_sep, char date_sep) {
  return port::is_digit(c) || c == time_sep || c == date_sep || c == 'd' || c == '.' || c == 'm' ||
         c == ' ';
}

// "N ms" as the whole text (blanks around): the count in milliseconds.
double read_milliseconds(char* copy, char* ms_at) {
  for (const char* q = ms_at + 2; *q; ++q)
    if (*q != ' ') return -1.0;
  *ms_at = '\0';
  const char* p = port::skip_space(copy);
  frame::NumberField n = frame::read_number(p);
  if (n.digits == 0 || n.value < 0) return -1.0;
  p = n.end;
  int64_t frac = 0;
  if (*p == '.' || *p == ',') {
    int digits;
    frac = fraction_ms(p + 1, &digits);
    p = port::skip_space(p + 1);
    while (port::is_digit(*p)) ++p;
  }
  if (*port::skip_space(p) != '\0') return -1.0;
  return (static_cast<double>(n.value) + frac / 1000.0) / 1000.0;
}

}  // namespace

char* format_duration(char* buf, int16_t msmode, double v) {
  char* p = buf;
  if (v < 0) {
    *p++ = '-';
    v = -v;
  }
  const double limit = static_cast<double>(kMaxDays + 1) * kSecondsPerDay;
  int64_t s, ms;
  if (!(v < limit)) {  // beyond five digits of days, infinite or NaN
    s = limit - 1;
    ms = 999;
  } else {
    s = static_cast<int64_t>(v);
    ms = static_cast<int64_t>((v - std::floor(v)) * 1000.0 + 0.5);
    if (ms >= 1000) {
      ms -= 1000;
      if (++s == static_cast<int64_t>(limit)) {
        s = static_cast<int64_t>(limit) - 1;
        ms = 999;
      }
    }
  }
  int64_t days = s / kSecondsPerDay, rest = s % kSecondsPerDay;
  const char sep = frame::time_separator();
  if (days) {
    p = frame::put_digits(p, static_cast<uint64_t>(days), 1);
    *p++ = 'd';
    *p++ = ' ';
  }
  p = put2(p, rest / civil::kSecondsPerHour);
  *p++ = sep;
  p = put2(p, rest / 60 % 60);
  *p++ = sep;
  p = put2(p, rest % 60);
  if (msmode != 0 && (msmode != -1 || ms != 0)) {
    *p++ = '.';
    *p++ = static_cast<char>('0' + ms / 100);
    p = put2(p, ms % 100);
  }
  *p = '\0';
  return buf;
}

double scan_duration(const char* text) {
  if (!text || !*text) return -1.0;
  size_t len = std::strlen(text);
  if (len >= kDurationCopySize) return -1.0;
  char copy[kDurationCopySize];
  std::memcpy(copy, text, len + 1);

  for (char* q = copy; *q; ++q)
    if ((q[0] == 'm' || q[0] == 'M') && (q[1] == 's' || q[1] == 'S'))
      return read_milliseconds(copy, q);

  const char time_sep = frame::time_separator();
  const char date_sep = frame::date_separator();
  const bool sep_is_mark = time_sep == '.' || time_sep == ',';
  for (char* q = copy; *q; ++q) {
    if (*q == ',' && !sep_is_mark) *q = '.';
    if (*q == 's') *q = ' ';
    if (!allowed(*q, time_sep, date_sep) && !(sep_is_mark && *q == ',')) return -1.0;
  }

  const char* p = copy;
  int64_t months = 0, days = 0;
  if (const char* m = std::strchr(p, 'm')) {
    months = frame::read_number(p).value;
    p = m + 1;
  }
  if (const char* d = std::strchr(p, 'd')) {
    days = frame::read_number(p).value;
    p = d + 1;
  }

  // With "." or "," as time separator the clock and the fraction share
  // their mark: only none (seconds) or three (h.m.s.fraction) are clear.
  int64_t fields[kMaxClockFields] = {0, 0, 0};
  int count = 0;
  int64_t frac = 0;
  if (sep_is_mark) {
    int marks = 0;
    for (const char* q = p; *q; ++q) marks += *q == '.' || *q == ',';
    if (marks != 0 && marks != kMaxClockFields) return -1.0;
    for (; count < kMaxClockFields; ++count) {
      fields[count] = frame::read_number(p).value;
      p += std::strcspn(p, ".,");
      if (*p == '\0') {
        ++count;
        break;
      }
      ++p;
    }
    if (marks == kMaxClockFields) {
      int digits;
      frac = fraction_ms(p, &digits);
    }
  } else {
    for (;;) {
      fields[count++] = frame::read_number(p).value;
      const char* next = std::strchr(p, time_sep);
      if (!next) break;
      if (count == kMaxClockFields) return -1.0;
      p = next + 1;
    }
    if (const char* dot = std::strchr(p, '.')) {
      if (std::strchr(dot + 1, '.')) return 0.0;
      int digits;
      frac = fraction_ms(dot + 1, &digits);
    }
  }
  // The last field read is the seconds, the one before the minutes, the
  // first of three the hours.
  int64_t hours = 0, minutes = 0, seconds = fields[count - 1];
  if (count >= 2) minutes = fields[count - 2];
  if (count == 3) hours = fields[0];
  // A "-" passes the character check when it is the date separator; a
  // duration is never negative, so a signed number makes the text invalid.
  if (months < 0 || days < 0 || hours < 0 || minutes < 0 || seconds < 0) return -1.0;
  // In double: saturated counts would overflow 64-bit products.
  return (static_cast<double>(months) * kDaysPerMonth + static_cast<double>(days)) *
             kSecondsPerDay +
         static_cast<double>(hours) * civil::kSecondsPerHour + static_cast<double>(minutes) * civil::kSecondsPerMinute +
         static_cast<double>(seconds) + frac / 1000.0;
}

}  // namespace vt::time
