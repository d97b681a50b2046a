// The value rules shared by the reference handlers and the fast evaluation
// loop: the +-1e24 limit, division and remainder by zero, the truncation of
// int(), the angle conversions and the math-function family. Values are
// single precision; intermediate results are exact or rounded once. The math
// functions are the library's own, correctly rounded (math/crmath.h): no
// build calls its C runtime for them, so every build gives the same bits.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "math/crmath.h"
#include "math/exact.h"

namespace vt::formula {

// Results of most float operations are clamped to this magnitude (the single
// precision value nearest to 1e24), so that chains of operations stay finite.
// NaN passes unchanged.
constexpr float kLimit = 1e24f;

// Division by zero gives the largest single-precision value with the sign of
// the dividend (NaN counts as negative).
constexpr float kDivByZero = FLT_MAX;

// pi/180 and 180/pi as single-precision values widened to double: angles
// convert exactly as they did when the code was first stored.
constexpr double kRadPerDeg = 0.01745329238474369;
constexpr double kDegPerRad = 57.295780181884766;

// Bits of a float and back: Boolean cells travel as 4 raw bytes.
inline std::uint32_t float_bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}
inline float bits_float(std::uint32_t u) {
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

// One NaN for one case in every build. C runtimes disagree on the NaN their
// math functions give (glibc's log(-1) is negative, the Windows runtime's
// positive), so the engine makes its own, the way the processor's
// arithmetic does: an invalid operation on numbers (ln of a negative number,
// acos(2), a negative number to a fractional power, inf - inf) gives the
// processor's default NaN, bits ffc00000; a NaN operand passes on, quieted.
constexpr float kInvalid = -__builtin_nanf("");
constexpr std::uint32_t kQuietBit = 0x00400000u;

inline bool is_nan_bits(std::uint32_t bits) { return (bits & 0x7FFFFFFFu) > 0x7F800000u; }

// A math function's result r for the argument x (and y), its NaN made the
// engine's. A NaN operand comes back with its quiet bit set, as the
// processor's arithmetic passes it on.
inline float function_nan(float r, float x) {
  if (__builtin_expect(r != r, 0)) return x != x ? bits_float(float_bits(x) | kQuietBit) : kInvalid;
  return r;
}
inline float function_nan(float r, float x, float y) {
  if (__builtin_expect(r != r, 0)) return function_nan(r, x != x ? x : y);
  return r;
}
// function_nan without a branch, for SIMD loops: the same bits for every r
// and x.
inline float function_nan_lanes(float r, float x) {
  const std::uint32_t rb = float_bits(r), xb = float_bits(x);
  const std::uint32_t x_nan = 0u - static_cast<std::uint32_t>(is_nan_bits(xb));
  const std::uint32_t r_nan = 0u - static_cast<std::uint32_t>(is_nan_bits(rb));
  const std::uint32_t nan = ((xb | kQuietBit) & x_nan) | (float_bits(kInvalid) & ~x_nan);
  return bits_float((nan & r_nan) | (rb & ~r_nan));
}
inline float function_nan_lanes(float r, float x, float y) {
  const std::uint32_t x_nan = 0u - static_cast<std::uint32_t>(is_nan_bits(float_bits(x)));
  return function_nan_lanes(r, bits_float((float_bits(x) & x_nan) | (float_bits(y) & ~x_nan)));
}
// One of the library's math functions with its NaN made the engine's (the
// machine code calls these too).
template <float (*F)(float)>
float checked(float x) {
  return function_nan(F(x), x);
}

// The limit as a rarely taken branch, off the path of the value; NaN fails
// the test and passes unchanged.
inline float limit(float v) {
  if (__builtin_expect(std::fabs(v) > kLimit, 0)) return v > 0.0f ? kLimit : -kLimit;
  return v;
}

// The same limit without a branch, for SIMD loops: where the magnitude is
// past the bound, v's magnitude bits are exchanged for the bound's by an
// exclusive or (the sign stays); NaN fails the test and passes. The scalar
// form above stays a branch: there the limit costs nothing on the value's
// path while the branch is predicted.
inline float limit_lanes(float v) {
  const std::uint32_t bits = float_bits(v), magnitude = bits & 0x7FFFFFFFu;
  const std::uint32_t over = 0u - static_cast<std::uint32_t>(bits_float(magnitude) > kLimit);
  return bits_float(bits ^ ((magnitude ^ float_bits(kLimit)) & over));
}

// Rounds a double result to single precision, then limits it.
inline float round_limit(double d) { return limit(static_cast<float>(d)); }

// Single-precision a / b rounds exactly like the double quotient rounded
// once to single, so the division is done in float.
inline float rule_div(float a, float b) {
  if (__builtin_expect(b == 0.0f, 0)) return a >= 0.0f ? kDivByZero : -kDivByZero;
  return limit(a / b);
}

// rule_div without a branch, for SIMD loops: a zero divisor is replaced by
// 1 before dividing, so no lane divides by zero, and the rule's value is
// chosen afterwards with a mask (a plain choice would let the compiler move
// the division back behind a branch). The same bits as rule_div for every
// a and b.
inline float rule_div_lanes(float a, float b) {
  const std::uint32_t zero = 0u - static_cast<std::uint32_t>(b == 0.0f);
  const float q = limit_lanes(a / bits_float((float_bits(b) & ~zero) | (float_bits(1.0f) & zero)));
  const float by_zero = a >= 0.0f ? kDivByZero : -kDivByZero;
  return bits_float((float_bits(q) & ~zero) | (float_bits(by_zero) & zero));
}

// A float's square is exact in double and so rounds once. The cube's
// double product rounds twice, yet always to the float nearest the exact
// cube: checked against MPFR for every significand (the binade [1, 2)) and
// for every argument whose cube is subnormal; other arguments scale by
// powers of 8 exactly. Both are thus the correctly rounded power, at a
// fraction of its cost, as is the power by 1.5 below.
inline float rule_square(float a) {
  double d = a;
  return round_limit(d * d);
}
inline float rule_cube(float a) {
  double d = a;
  return round_limit(d * d * d);
}

// The remainder of floats is exact; a zero divisor gives 0.
inline float rule_mod(float a, float b) {
  if (b == 0.0f) return 0.0f;
  return limit(function_nan(math::exact_fmod(a, b), a, b));
}

// Truncation toward zero, the sign of zero kept. From 2^23 on every float
// is an integer already; below, the integer conversion truncates.
inline float rule_trunc(float a) {
  if (!(std::fabs(a) < 0x1p23f)) return a != a ? function_nan(a, a) : a;
  const float t = static_cast<float>(static_cast<std::int32_t>(a));
  return std::signbit(a) ? -std::fabs(t) : t;
}

inline float rule_sgn(float a) {
  if (a > 0.0f) return 1.0f;
  if (a < 0.0f) return -1.0f;
  return 0.0f;
}

// a^1.5 as a * sqrt(a) in double rounds to the float nearest the exact
// power for every non-negative float (checked over all of them against
// MPFR); -inf and negative bases go to the power function.
inline float rule_pow_three_halves(float a) {
  double d = a;
  return round_limit(d * std::sqrt(d));
}

inline float rule_pow(float a, float b) {
  if (b == 2.0f) return rule_square(a);
  if (b == 3.0f) return rule_cube(a);
  if (b == 1.5f && a >= 0.0f) return rule_pow_three_halves(a);
  return limit(function_nan(math::cr_pow(a, b), a, b));
}

// The math functions of the language: step name (prepared.h), the library's
// function (math/crmath.h) and whether the limit applies (tanh, acos and
// asin stay within +-pi anyway). The scalar rules below, the column loops and
// the machine code are made from these lines.
#define VT_MATH_FUNCTIONS(X) \
  X(LOG, log, true)          \
  X(EXP, exp, true)          \
  X(SQRT, sqrt, true)        \
  X(SINH, sinh, true)        \
  X(COSH, cosh, true)        \
  X(TANH, tanh, false)       \
  X(SIN, sin, true)          \
  X(COS, cos, true)          \
  X(TAN, tan, true)          \
  X(ATAN, atan, true)        \
  X(ACOS, acos, false)       \
  X(ASIN, asin, false)

#define VT_MATH_RULE(step, name, limited)              \
  inline float fn_##name(float a) {                   \
    const float r = checked<math::cr_##name>(a);       \
    return limited ? limit(r) : r;                     \
  }
VT_MATH_FUNCTIONS(VT_MATH_RULE)
#undef VT_MATH_RULE

inline float fn_abs(float a) { return static_cast<float>(std::fabs(static_cast<double>(a))); }
inline float fn_rad(float a) { return static_cast<float>(a * kRadPerDeg); }
inline float fn_deg(float a) { return round_limit(a * kDegPerRad); }

// A Boolean cell: the 16-bit 0 or 1, sign-widened, in the cell's 4 bytes;
// any non-zero low half counts as true.
inline float boolean(bool b) { return bits_float(b ? 1u : 0u); }
inline bool truth(float cell) { return (float_bits(cell) & 0xFFFFu) != 0; }

// A Boolean conditional's result: the chosen cell's low half, sign-widened.
inline float widen_boolean(float cell) {
  return bits_float(static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(float_bits(cell)))));
}

}  // namespace vt::formula
