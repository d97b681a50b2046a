// Reduction of large arguments for sin, cos and tan: x*32/pi modulo 64 for
// a float |x| >= 2^20, by integer arithmetic on the bits of 2/pi, so that
// the remainder is right however large x is (up to 2^128, where a float's
// last bit is worth 2^104 and the remainder depends on bits of 2/pi far
// below the first 53).
#include <cstdint>
#include <cstring>

#include "math/trig_kernels.h"

namespace vt::math::trig {

// x = m*2^e with m the 24-bit significand. Bits of 2/pi before position
// e - 1 add multiples of 64 to x*32/pi and drop out; 128 bits from there on
// (word table position e + 30, after its leading zero word) leave an error
// below m*2^-122 < 2^-98 in the remainder, far below what a float's
// closest approach to a multiple of pi/32 (about 2^-30 here) can stand.
double reduce_long(std::uint32_t abs_bits, std::uint64_t& k) {
  const std::uint32_t m = (abs_bits & 0x7FFFFFu) | 0x800000u;
  const int e = static_cast<int>(abs_bits >> 23) - 150;
  const int start = e + 30;
  const int w = start >> 5, s = start & 31;
  std::uint32_t win[4];
  for (int i = 0; i < 4; ++i) {
    win[i] = kTwoOverPiWords[w + i] << s;
    if (s != 0) win[i] |= kTwoOverPiWords[w + i + 1] >> (32 - s);
  }
  // p = m * win, 152 bits; x*32/pi = p * 2^-122 (mod 64).
  std::uint32_t p[4];
  std::uint64_t acc = 0;
  for (int i = 3; i >= 0; --i) {
    acc += static_cast<std::uint64_t>(m) * win[i];
    p[i] = static_cast<std::uint32_t>(acc);
    acc >>= 32;
  }
  k = p[0] >> 26;
  // The 122 fraction bits, moved to the top of 128 (hi:lo).
  std::uint64_t hi = (static_cast<std::uint64_t>(p[0]) << 38) | (static_cast<std::uint64_t>(p[1]) << 6) | (p[2] >> 26);
  std::uint64_t lo = (static_cast<std::uint64_t>(p[2]) << 38) | (static_cast<std::uint64_t>(p[3]) << 6);
  const bool negative = (hi >> 63) != 0;  // fraction >= 1/2: round k up, r < 0
  if (negative) {
    k += 1;
    lo = ~lo + 1;
    hi = ~hi + (lo == 0 ? 1 : 0);
  }
  // Normalise and round to 53 bits; the double is built from its fields so
  // that no build converts a 64-bit integer through the x87 unit.
  int shift = 0;
  if (hi == 0) {
    hi = lo;
    lo = 0;
    shift = 64;
  }
  const int z = __builtin_clzll(hi);
  if (z != 0) hi = (hi << z) | (lo >> (64 - z));
  shift += z;
  const std::uint64_t mant = (hi >> 11) + ((hi >> 10) & 1);  // in [2^52, 2^53]
  const std::uint64_t bits = (static_cast<std::uint64_t>(1022 - shift) << 52) + mant - (std::uint64_t{1} << 52);
  double r;
  std::memcpy(&r, &bits, sizeof r);
  return negative ? -r : r;
}

}  // namespace vt::math::trig
