// Helpers of the math tests: float bits, and the C runtime's double
// result as an oracle where it decides the float rounding.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace math_test {

inline std::uint32_t bits_of(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}
inline float float_of(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}
// Equal bits, or both NaN.
inline bool same(float a, float b) { return (a != a && b != b) || bits_of(a) == bits_of(b); }

// The C runtime's double result d, rounded to float, where it decides:
// more than 2^12 double ulps away from the middle between two floats, which
// no runtime's error comes near; normal float range only (the double's bits
// below the float's precision say nothing of a subnormal's rounding).
inline bool runtime_decides(double d, float* out) {
  if (!(std::fabs(d) >= FLT_MIN && std::fabs(d) <= FLT_MAX)) return false;
  std::uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  std::uint64_t below = b & 0x1fffffff;  // the 29 bits a float drops
  constexpr std::uint64_t kHalf = 0x10000000, kMargin = 1 << 12;
  if (below + kMargin > kHalf && below < kHalf + kMargin) return false;
  if (below < kMargin || below + kMargin > 2 * kHalf) return false;
  *out = static_cast<float>(d);
  return true;
}

// xorshift32: the same pseudo-random floats in every build.
struct Random {
  std::uint32_t state = 2463534242u;
  std::uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
};

}  // namespace math_test
