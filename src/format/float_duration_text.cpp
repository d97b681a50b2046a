// FormatFloat's and ScanFloat's durations in days, hours, minutes and
// seconds.
#include "format/float_duration_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "format/decimal_text.h"
#include "frame/number_field.h"
#include "port/char_class.h"
#include "time/civil.h"

namespace vt::format {

namespace {

constexpr int64_t kSecondsPerDay = time::civil::kSecondsPerDay;
// A duration is rounded by adding this bias to its magnitude before the
// whole seconds are taken; the fraction digits then add 0.49 before
// truncation. Both are part of the text users know, so they are kept as
// they are rather than replaced by exact rounding.
constexpr double kSecondsBias = 0.00049;
constexpr double kDigitsBias = 0.49;
// Fraction digits beyond this many are written as zeros: they are below the
// precision of a double that holds seconds.
constexpr int kMaxFractionDigits = 9;
// Fields of a scanned duration: hours, minutes, seconds.
constexpr int kMaxFields = 3;

using frame::put_digits;

// The digits at text as a decimal fraction ("05" is 0.05). Up to
// kMaxFractionDigits digits count; numerator and power of ten are both exact,
// so the one division rounds correctly.
double read_fraction(const char* text) {
  uint64_t n = 0, scale = 1;
  for (int i = 0; i < kMaxFractionDigits && port::is_digit(text[i]); ++i) {
    n = n * 10 + static_cast<uint64_t>(text[i] - '0');
    scale *= 10;
  }
  return static_cast<double>(n) / static_cast<double>(scale);
}

}  // namespace

int write_duration(double seconds, int decimals, char* out) {
  char* p = out;
  if (seconds < 0) {
    *p++ = '-';
    seconds = -seconds;
  }
  double biased = seconds + kSecondsBias;
  int64_t whole = static_cast<int64_t>(biased);
  int digits = decimals < kMaxFractionDigits ? decimals : kMaxFractionDigits;
  uint64_t fraction = 0;
  if (digits) {
    uint64_t scale = 1;
    for (int i = 0; i < digits; ++i) scale *= 10;
    fraction = static_cast<uint64_t>((biased - static_cast<double>(whole)) *
                                         static_cast<double>(scale) + kDigitsBias);
    if (fraction >= scale) {  // 1.96 s with one decimal shows as 2.0 s
      fraction -= scale;
      ++whole;
    }
  }
  if (whole >= kSecondsPerDay) {
    p = put_digits(p, static_cast<uint64_t>(whole / kSecondsPerDay), 1);
    *p++ = 'd';
    *p++ = ' ';
    whole %= kSecondsPerDay;
  }
  p = put_digits(p, static_cast<uint64_t>(whole / time::civil::kSecondsPerHour), 2);
  *p++ = ':';
  p = put_digits(p, static_cast<uint64_t>(whole / 60 % 60), 2);
  *p++ = ':';
  p = put_digits(p, static_cast<uint64_t>(whole % 60), 2);
  if (decimals) {
    *p++ = '.';
    p = put_digits(p, fraction, digits);
    for (int i = digits; i < decimals; ++i) *p++ = '0';
  }
  *p = '\0';
  return static_cast<int>(p - out);
}

double read_duration(const char* text, int* error) {
  // The fraction of a second follows the first point of the text, or else
  // its first comma, with or without clock fields ("1.5d" is 1 day and
  // half a second).
  const char* point = std::strchr(text, '.');
  if (!point) point = std::strchr(text, ',');
  const char* p = text;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  double days = 0;
  if (const char* d = std::strchr(p, 'd')) {
    double v;
    const char* end;
    if (read_decimal(p, &v, &end) == DecimalRead::kValue) days = v;
    // FormatFloat writes "2d 01:00:00": the blank belongs to the days.
    for (p = d + 1; *p == ' '; ++p) {
    }
  }
  double seconds = 0;
  *error = 0;
  for (int field = 0; field < kMaxFields; ++field) {
    if (field) {
      if (*p != ':') break;
      ++p;
    }
    if (!port::is_digit(*p)) {
      if (days == 0) *error = 1;
      break;
    }
    double v = 0;
    for (; port::is_digit(*p); ++p) v = v * 10 + (*p - '0');
    seconds = seconds * 60 + v;
  }
  if (point) seconds += read_fraction(point + 1);
  double value = days * static_cast<double>(kSecondsPerDay) + seconds;
  return negative ? -value : value;
}

}  // namespace vt::format
