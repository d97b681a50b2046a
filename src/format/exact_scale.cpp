// Exact scaling of a double by a power of ten, rounded to an integer.
#include "format/exact_scale.h"

#include <cstring>

namespace vt::format {

namespace {

struct U128 {
  uint64_t hi, lo;
};

U128 mul64(uint64_t a, uint64_t b) {
  uint64_t a0 = a & 0xFFFFFFFF, a1 = a >> 32, b0 = b & 0xFFFFFFFF, b1 = b >> 32;
  uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xFFFFFFFF)};
}

// x >> s for 0 < s < 128.
U128 shr(U128 x, int s) {
  if (s >= 64) return {0, x.hi >> (s - 64)};
  return {x.hi >> s, (x.lo >> s) | (x.hi << (64 - s))};
}

// The low s bits of x, 0 < s < 128.
U128 low_bits(U128 x, int s) {
  if (s >= 64) return {s == 64 ? 0 : x.hi & ((uint64_t{1} << (s - 64)) - 1), x.lo};
  return {0, x.lo & ((uint64_t{1} << s) - 1)};
}

int compare(U128 a, U128 b) {
  if (a.hi != b.hi) return a.hi < b.hi ? -1 : 1;
  return a.lo < b.lo ? -1 : a.lo > b.lo;
}

// 2^s as a 128-bit number, s < 128.
U128 power_of_two(int s) {
  return s >= 64 ? U128{uint64_t{1} << (s - 64), 0} : U128{0, uint64_t{1} << s};
}

// Rounds q + rest/unit to an integer: rest compared with half a unit.
bool round_half_even(uint64_t q, int rest_vs_half, uint64_t* out) {
  if (rest_vs_half > 0 || (rest_vs_half == 0 && (q & 1))) {
    if (q == UINT64_MAX) return false;
    ++q;
  }
  *out = q;
  return true;
}

// round(n / 2^s), n a 128-bit integer.
bool round_shift(U128 n, int s, uint64_t* out) {
  if (s == 0) {
    if (n.hi) return false;
    *out = n.lo;
    return true;
  }
  if (s >= 128) {  // n < 2^117 here, so the quotient is far below one half
    *out = 0;
    return true;
  }
  U128 q = shr(n, s);
  if (q.hi) return false;
  return round_half_even(q.lo, compare(low_bits(n, s), power_of_two(s - 1)), out);
}

}  // namespace

BinaryValue split_double(double magnitude) {
  uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (biased == 0) return {fraction, -1074};  // zero and subnormals
  return {fraction | (uint64_t{1} << 52), biased - 1075};
}

bool scale_round(BinaryValue b, int power, uint64_t* out) {
  if (power < -kMaxPow10 || power > kMaxPow10) return false;
  if (power >= 0) {
    U128 n = mul64(b.mantissa, pow10_u64(power));
    if (b.exponent >= 0) {
      // An integer already: it must fit 64 bits after the shift.
      if (n.hi || b.exponent >= 64 || (b.exponent && (n.lo >> (64 - b.exponent)))) return false;
      *out = n.lo << b.exponent;
      return true;
    }
    return round_shift(n, -b.exponent, out);
  }
  // Division by p = 10^-power: value = whole + fraction / 2^s.
  uint64_t p = pow10_u64(-power);
  if (b.exponent >= 0) {
    if (b.exponent >= 11) return false;  // keeps mantissa << exponent in 64 bits
    uint64_t n = b.mantissa << b.exponent, r = n % p;
    return round_half_even(n / p, r > p - r ? 1 : r == p - r ? 0 : -1, out);
  }
  int s = -b.exponent;
  if (s >= 64) {  // value below one, p at least ten
    *out = 0;
    return true;
  }
  uint64_t whole = b.mantissa >> s, fraction = b.mantissa & ((uint64_t{1} << s) - 1);
  uint64_t r = whole % p;
  // Compare (r + fraction / 2^s) with p / 2, scaled by 2^s: r*2^s + fraction
  // against p * 2^(s-1).
  U128 rest = mul64(r, uint64_t{1} << s);
  rest.lo += fraction;
  if (rest.lo < fraction) ++rest.hi;
  U128 half = s ? mul64(p, uint64_t{1} << (s - 1)) : U128{0, p / 2};
  return round_half_even(whole / p, compare(rest, half), out);
}

}  // namespace vt::format
