// Decimal text through std::to_chars and std::from_chars: both are part of
// the C++ library itself, not of the C runtime, whose printf writes exponents
// and long digit strings differently on Windows and on glibc.
#include "format/decimal_text.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace vt::format {

namespace {

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

int finish(std::to_chars_result r, char* out, std::size_t size) {
  if (r.ec != std::errc() || static_cast<std::size_t>(r.ptr - out) >= size) return -1;
  *r.ptr = '\0';
  return static_cast<int>(r.ptr - out);
}

}  // namespace

int write_fixed(double value, int decimals, char* out, std::size_t size) {
  if (size == 0) return -1;
  auto r = std::to_chars(out, out + size - 1, value, std::chars_format::fixed, decimals);
  return finish(r, out, size);
}

int write_exponent(double value, int decimals, char* out, std::size_t size) {
  if (size == 0) return -1;
  auto r = std::to_chars(out, out + size - 1, value, std::chars_format::scientific, decimals);
  int len = finish(r, out, size);
  if (len < 0) return -1;
  // to_chars writes "e+03": upper-case the mark, widen the exponent.
  char* e = static_cast<char*>(std::memchr(out, 'e', len));
  *e = 'E';
  char* digits = e + 2;
  int have = static_cast<int>(out + len - digits);
  int pad = kMinExponentDigits - have;
  if (pad <= 0) return len;
  if (static_cast<std::size_t>(len + pad) >= size) return -1;
  std::memmove(digits + pad, digits, have + 1);
  std::memset(digits, '0', pad);
  return len + pad;
}

DecimalRead read_decimal(const char* text, double* value, const char** end) {
  const char* p = text;
  bool plus = *p == '+';
  if (*p == '+' || *p == '-') ++p;
  // from_chars would also take "inf", "nan" and no "+": the number must
  // start with a digit, or a point and a digit.
  if (!is_digit(*p) && !(*p == '.' && is_digit(p[1]))) return DecimalRead::kNone;
  const char* first = plus ? p : text;
  double v;
  auto r = std::from_chars(first, first + std::strlen(first), v);
  if (r.ec == std::errc::result_out_of_range) return DecimalRead::kOutOfRange;
  if (r.ec != std::errc()) return DecimalRead::kNone;
  *value = v;
  *end = r.ptr;
  return DecimalRead::kValue;
}

}  // namespace vt::format
