// Reading decimal numbers inside time and duration texts the way the C
// library's text-to-integer conversion does (white space, sign, digits),
// but saturating instead of overflowing and telling how much was used.
#pragma once

#include <cstdint>

namespace vt::time {

// Magnitude beyond which digits are still consumed but no longer counted;
// far above any field of a date, time or duration.
constexpr int64_t kFieldSaturation = 1000000000000ll;

struct NumberField {
  int64_t value;    // 0 when no digit was read
  int digits;       // decimal digits read
  const char* end;  // first character after the number (or p when none)
};

constexpr bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

inline const char* skip_blanks(const char* p) {
  while (is_blank(*p)) ++p;
  return p;
}

inline NumberField read_number(const char* p) {
  const char* start = p;
  p = skip_blanks(p);
  bool neg = false;
  if (*p == '+' || *p == '-') neg = *p++ == '-';
  NumberField f{0, 0, start};
  while (is_digit(*p)) {
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

}  // namespace vt::time
