// The library's one reader (and writer) of decimal integers in text: the way the C
// library's text-to-integer conversion reads them (white space, sign,
// digits), but saturating instead of overflowing and telling how much was
// used. Time texts, durations and the "TZ" value use it.
#pragma once

#include <cstdint>

#include "port/char_class.h"

namespace vt::frame {

// Magnitude beyond which digits are still consumed but no longer counted;
// far above any field of a date, time or duration.
constexpr int64_t kFieldSaturation = 1000000000000ll;

struct NumberField {
  int64_t value;    // 0 when no digit was read
  int digits;       // decimal digits read
  const char* end;  // first character after the number (or p when none)
};

inline NumberField read_number(const char* p) {
  const char* start = p;
  p = port::skip_space(p);
  bool neg = false;
  if (*p == '+' || *p == '-') neg = *p++ == '-';
  NumberField f{0, 0, start};
  while (port::is_digit(*p)) {
    if (f.value < kFieldSaturation) f.value = f.value * 10 + (*p - '0');
    ++f.digits;
    ++p;
  }
  if (f.digits > 0) {
    f.end = p;
    if (neg) f.value = -f.value;
  }
  return f;
}

// Writes v in decimal, zero-padded to at least min_digits digits (at most
// 20 digits), and returns the end; no terminator.
inline char* put_digits(char* p, uint64_t v, int min_digits) {
  char tmp[20];
  int n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  for (; n < min_digits; --min_digits) *p++ = '0';
  while (n) *p++ = tmp[--n];
  return p;
}

}  // namespace vt::frame
