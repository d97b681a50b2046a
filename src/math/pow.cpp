// pow(x, y) for floats, correctly rounded, with C's special cases (kernel
// in pow_kernel.h).
#include <cstdint>
#include <cstring>

#include "math/crmath.h"
#include "math/pow_accurate.h"
#include "math/pow_kernel.h"
#include "math/quick_kernels.h"

namespace vt::math {

namespace {

std::uint32_t bits_of(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

float with_sign(float magnitude, bool negative) {
  std::uint32_t b = bits_of(magnitude) | (negative ? 0x80000000u : 0u);
  float r;
  std::memcpy(&r, &b, sizeof r);
  return r;
}

// y is a whole number / an odd whole number. Floats from 2^23 on are all
// whole, and from 2^24 on all even.
bool is_whole(float y) {
  float a = y < 0 ? -y : y;
  return a >= 0x1p23f || static_cast<float>(static_cast<std::int32_t>(a)) == a;
}
bool is_odd(float y) {
  float a = y < 0 ? -y : y;
  return a < 0x1p24f && is_whole(a) && (static_cast<std::int32_t>(a) & 1);
}

// 2^e as a double, e clamped to where the double stays normal: beyond the
// clamp any float result is 0 or infinity anyway.
double power_of_two(std::int64_t e) {
  if (e < -1000) e = -1000;
  if (e > 1000) e = 1000;
  std::uint64_t b = static_cast<std::uint64_t>(e + 1023) << 52;
  double d;
  std::memcpy(&d, &b, sizeof d);
  return d;
}

// Odd integer a and exponent b with x = a*2^b, for x > 0 finite.
void odd_and_exponent(float x, std::uint32_t* a, std::int32_t* b) {
  std::uint32_t xb = bits_of(x);
  std::int32_t e = static_cast<std::int32_t>(xb >> 23);
  std::uint32_t m = xb & 0x7fffff;
  if (e == 0) e = 1;  // subnormal: no hidden bit
  else m |= 0x800000;
  e -= 150;
  int zeros = __builtin_ctz(m);
  *a = m >> zeros;
  *b = e + zeros;
}

std::uint64_t integer_sqrt(std::uint64_t v) {
  std::uint64_t r = 0;
  for (std::uint64_t bit = std::uint64_t{1} << 62; bit; bit >>= 2) {
    if (v >= r + bit) {
      v -= r + bit;
      r = (r >> 1) + bit;
    } else {
      r >>= 1;
    }
  }
  return r;
}

// x^y when it is a dyadic number of at most 53 bits, which includes every
// result that is a float or lies exactly in the middle between two floats
// (the cases no precision of the kernel can decide). x > 0 finite, y finite.
// x = a*2^b, y = n/2^k (n odd): x^y is dyadic only for a = 1 with b*y whole,
// or for n > 0 with a a perfect (2^k)-th power g^(2^k); then x^y = g^n*2^(b*y).
bool exact_power(float x, float y, float* out) {
  std::uint32_t a;
  std::int32_t b;
  odd_and_exponent(x, &a, &b);
  double by = static_cast<double>(b) * y;  // exact: 9 bits times 24
  // Beyond 2^40 the result is far outside the floats; the caller saturates.
  if (!(by < 0x1p40 && by > -0x1p40)) return false;
  std::int64_t exponent = static_cast<std::int64_t>(by);
  if (static_cast<double>(exponent) != by) return false;  // 2^(b*y) irrational
  if (a == 1) {
    *out = static_cast<float>(power_of_two(exponent));
    return true;
  }
  if (y < 0) return false;  // 1/g^n with g odd > 1 is not dyadic
  // y = n / 2^k
  std::int32_t ye;
  std::uint32_t n;
  odd_and_exponent(y, &n, &ye);
  std::uint64_t g = a;
  for (std::int32_t k = ye; k < 0; ++k) {  // take the square root -ye times
    std::uint64_t root = integer_sqrt(g);
    if (root * root != g) return false;
    g = root;
  }
  if (ye > 0) {
    if (ye > 6) return false;  // g^(n*2^ye) with g >= 3 is beyond 53 bits
    n <<= ye;
  }
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 53;  // more bits than any float or middle needs
  std::uint64_t power = 1;
  for (std::uint32_t i = 0; i < n; ++i) {
    if (power > kLimit / g) return false;  // checked before the product can wrap
    power *= g;
  }
  *out = static_cast<float>(static_cast<double>(power) * power_of_two(exponent));
  return true;
}

// x > 0 finite (not 1), y finite and nonzero: the kernel could not decide.
float pow_positive_slow(float x, float y) {
  float exact;
  if (exact_power(x, y, &exact)) return exact;
  PowParts<rows::One> parts = pow_parts<rows::One>(x, y);
  if (parts.t >= 128.0) return __builtin_inff();
  if (parts.t < -151.0) return 0.0f;
  pow_accurate::Dd v = pow_accurate::power(x, y);
  if (parts.t > -125.0) {
    bool undecided = false;  // within 2^-96 of a halfway point: none is known
    return static_cast<float>(pow_round<rows::One>(v, 0x1p-96, undecided));
  }
  // subnormal results: the conversion rounds to the subnormal's precision
  return static_cast<float>(v.hi + v.lo);
}

float pow_slow(float x, float y) {
  if (y == 0.0f || x == 1.0f) return 1.0f;  // even for NaN in the other argument
  if (x != x || y != y) return x + y;
  float ax = x < 0 ? -x : x;
  bool odd = is_odd(y);
  if (y == __builtin_inff() || y == -__builtin_inff()) {
    if (ax == 1.0f) return 1.0f;
    return (ax < 1.0f) == (y < 0) ? __builtin_inff() : 0.0f;
  }
  if (x == 0.0f) return y < 0 ? with_sign(__builtin_inff(), odd && bits_of(x) >> 31) : with_sign(0.0f, odd && bits_of(x) >> 31);
  if (ax == __builtin_inff()) {
    bool negative = odd && x < 0;
    return y < 0 ? with_sign(0.0f, negative) : with_sign(__builtin_inff(), negative);
  }
  if (x < 0) {
    if (!is_whole(y)) {
      float zero = x - x;  // the processor's default NaN, as its own invalid operations give
      return zero / zero;
    }
    bool hard = false;
    double r = PowKernel::eval<rows::One>(ax, y, hard);
    return with_sign(hard ? pow_positive_slow(ax, y) : static_cast<float>(r), odd);
  }
  bool hard = false;
  double r = PowKernel::eval<rows::One>(x, y, hard);
  return hard ? pow_positive_slow(x, y) : static_cast<float>(r);
}

}  // namespace

float PowKernel::scalar(float x, float y) {
  bool hard = false;
  double r = eval<rows::One>(static_cast<double>(x), static_cast<double>(y), hard);
  if (__builtin_expect(!hard, 1)) return static_cast<float>(r);
  return pow_slow(x, y);
}

// The quick stage on one lane, its domain tests branching first: x a
// positive normal float, y finite.
float cr_pow(float x, float y) {
  if constexpr (rows::kScalarOnPacks) {
    bool hard = false;
    const double v = rows::eval_one<PowQuickKernel>(x, y, hard);
    return __builtin_expect(!hard, 1) ? static_cast<float>(v) : PowKernel::scalar(x, y);
  }
  const std::uint32_t xb = bits_of(x);
  if (__builtin_expect(quick::positive_normal(xb) && (bits_of(y) & 0x7fffffffu) < 0x7f800000u, 1)) {
    const double t = y * quick::log_core_bits<rows::One>(quick::double_bits_of_normal(xb));
    if (__builtin_expect(t > quick::kExpLow && t < quick::kExpHigh, 1)) {
      const double v = quick::exp_core<rows::One>(t);
      if (__builtin_expect(!rows::near_float_middle<rows::One, quick::kPowUlps>(v), 1)) return static_cast<float>(v);
    }
  }
  return PowKernel::scalar(x, y);
}

float PowQuickKernel::scalar(float x, float y) { return cr_pow(x, y); }

VT_MATH_BINARY_ROWS(pow, PowQuickKernel)

}  // namespace vt::math
