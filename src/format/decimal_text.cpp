// Decimal text through std::to_chars and std::from_chars: both are part of
// the C++ library itself, not of the C runtime, whose printf writes exponents
// and long digit strings differently on Windows and on glibc.
#include "format/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "format/exact_scale.h"
#include "port/char_class.h"

namespace vt::format {

namespace {

int finish(std::to_chars_result r, char* out, std::size_t size) {
  if (r.ec != std::errc() || static_cast<std::size_t>(r.ptr - out) >= size) return -1;
  *r.ptr = '\0';
  return static_cast<int>(r.ptr - out);
}

// The longest text of the fast routes: sign, 20 digits, point, "E-324".
constexpr std::size_t kFastTextMax = 32;
// The exponent route keeps its digits (decimals + 1) below 10^19.
constexpr int kMaxFastExponentDecimals = kMaxPow10 - 1;

int digit_count(uint64_t v) {
  int n = 1;
  while (n <= kMaxPow10 && v >= pow10_u64(n)) ++n;
  return n;
}

// Writes exactly n digits of v (leading zeros included), two at a time, and
// returns the end.
char* put_digits(char* p, uint64_t v, int n) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  int i = n;
  for (; i >= 2; i -= 2, v /= 100) std::memcpy(p + i - 2, kPairs + 2 * (v % 100), 2);
  if (i) p[0] = static_cast<char>('0' + v % 10);
  return p + n;
}

// floor(log10(2^e2)), exact for the exponents of a double.
int floor_log10_pow2(int e2) {
  constexpr int kLog10Of2Times2To18 = 78913;
  int scaled = e2 * kLog10Of2Times2To18;
  return scaled >= 0 ? scaled >> 18 : -((-scaled + (1 << 18) - 1) >> 18);
}

// The fast fixed route: round(|value| x 10^decimals) fits 64 bits.
int fast_fixed(double value, int decimals, char* out) {
  uint64_t q;
  if (decimals > kMaxPow10 || !scale_round(split_double(std::fabs(value)), decimals, &q)) return -1;
  char* p = out;
  if (std::signbit(value)) *p++ = '-';
  uint64_t scale = pow10_u64(decimals), whole = q / scale;
  p = put_digits(p, whole, digit_count(whole));
  if (decimals) {
    *p++ = '.';
    p = put_digits(p, q % scale, decimals);
  }
  *p = '\0';
  return static_cast<int>(p - out);
}

// The fast exponent route: decimals + 1 significant digits below 10^19.
int fast_exponent(double value, int decimals, char* out) {
  if (decimals > kMaxFastExponentDecimals) return -1;
  BinaryValue b = split_double(std::fabs(value));
  uint64_t q = 0, low = pow10_u64(decimals), high = low * 10;
  int k = 0;
  if (b.mantissa) {
    int bits = 53;  // of the mantissa; fewer only for subnormals
    while (!(b.mantissa >> (bits - 1))) --bits;
    k = floor_log10_pow2(b.exponent + bits - 1);
    // The estimate is exact or one too small; a carry of the rounding
    // (9.96 to 1.0E+001) also moves the exponent up.
    for (int tries = 0;; ++tries) {
      if (tries == 3 || !scale_round(b, decimals - k, &q)) return -1;
      if (q >= high) ++k;
      else if (q < low) --k;
      else break;
    }
  }
  char* p = out;
  if (std::signbit(value)) *p++ = '-';
  *p++ = static_cast<char>('0' + q / low);
  if (decimals) {
    *p++ = '.';
    p = put_digits(p, q % low, decimals);
  }
  *p++ = 'E';
  *p++ = k < 0 ? '-' : '+';
  int e = k < 0 ? -k : k;
  p = put_digits(p, static_cast<uint64_t>(e), std::max(kMinExponentDigits, digit_count(e)));
  *p = '\0';
  return static_cast<int>(p - out);
}

// Exponents beyond this are out of range whatever the digits; the cap keeps
// the reading from overflowing.
constexpr int kExponentCap = 100000;
// Integers up to 2^53 and powers of ten up to 10^22 are exact doubles.
constexpr uint64_t kMaxExactInteger = uint64_t{1} << 53;
constexpr int kMaxExactPow10 = 22;
constexpr double kExactPow10[kMaxExactPow10 + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A fast route's text, kept when it fits the caller's size.
int keep_fast(int len, const char* fast, char* out, std::size_t size) {
  if (static_cast<std::size_t>(len) >= size) return -1;
  std::memcpy(out, fast, static_cast<std::size_t>(len) + 1);
  return len;
}

using FastRoute = int (*)(double value, int decimals, char* out);

// The fast route when it applies, else std::to_chars.
int write_decimal(double value, int decimals, char* out, std::size_t size, FastRoute fast,
                  std::chars_format form) {
  if (size == 0) return -1;
  char scratch[kFastTextMax];
  char* p = size >= kFastTextMax ? out : scratch;
  int len = fast(value, decimals, p);
  if (len >= 0) return p == out ? len : keep_fast(len, scratch, out, size);
  auto r = std::to_chars(out, out + size - 1, value, form, decimals);
  return finish(r, out, size);
}

}  // namespace

int write_fixed(double value, int decimals, char* out, std::size_t size) {
  return write_decimal(value, decimals, out, size, fast_fixed, std::chars_format::fixed);
}

int write_exponent(double value, int decimals, char* out, std::size_t size) {
  int len = write_decimal(value, decimals, out, size, fast_exponent, std::chars_format::scientific);
  if (len < 0) return -1;
  // to_chars writes "e+03" (the fast route "E+003" itself): upper-case the
  // mark, widen the exponent.
  char* e = static_cast<char*>(std::memchr(out, 'e', len));
  if (!e) return len;
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

namespace {

// For a number that a double cannot hold (its digits at start, count of
// them, times 10^scale): true when it lies above the largest double, false
// when below the smallest. Such a number is at least 10^308 or below 10^-323,
// so the sign of its decimal magnitude alone decides.
bool beyond_range(const char* start, int count, int scale) {
  int leading_zeros = 0;
  for (const char* p = start; *p == '0' || *p == '.'; ++p)
    if (*p == '0') ++leading_zeros;
  return count - leading_zeros + scale > 0;
}

}  // namespace

DecimalRead read_decimal(const char* text, double* value, const char** end) {
  const char* p = text;
  p = port::skip_space(p);
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  // from_chars would also take "inf", "nan" and no "+": the number must
  // start with a digit, or a point and a digit.
  if (!port::is_digit(*p) && !(*p == '.' && port::is_digit(p[1]))) return DecimalRead::kNone;

  // Find the extent of the number, gathering its digits into one integer;
  // more than kMaxPow10 digits overflow it and take the slow route.
  const char* start = p;
  uint64_t digits = 0;
  for (; port::is_digit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
  int count = static_cast<int>(p - start), scale = 0;
  if (*p == '.') {
    const char* fraction = ++p;
    for (; port::is_digit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    scale = -static_cast<int>(p - fraction);
    count -= scale;
  }
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    bool minus = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (port::is_digit(*q)) {
      int exponent = 0;
      for (; port::is_digit(*q); ++q)
        if (exponent < kExponentCap) exponent = exponent * 10 + (*q - '0');
      scale += minus ? -exponent : exponent;
      p = q;
    }
  }
  *end = p;
  bool exact = count <= kMaxPow10;

  // The exact fast path: an integer up to 2^53 times or divided by an exact
  // power of ten is one correctly rounded operation.
  if (exact && digits <= kMaxExactInteger && scale >= -kMaxExactPow10 && scale <= kMaxExactPow10) {
    double v = static_cast<double>(digits);
    v = scale < 0 ? v / kExactPow10[-scale] : v * kExactPow10[scale];
    *value = negative ? -v : v;
    return DecimalRead::kValue;
  }
  const char* first = negative ? start - 1 : start;
  double v;
  auto r = std::from_chars(first, p, v);
  if (r.ec == std::errc::result_out_of_range) {
    v = beyond_range(start, count, scale) ? HUGE_VAL : 0.0;
    v = negative ? -v : v;
  } else if (r.ec != std::errc() || r.ptr != p) {
    return DecimalRead::kNone;
  }
  *value = v;
  return DecimalRead::kValue;
}

}  // namespace vt::format
