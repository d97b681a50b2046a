// The value rules shared by the reference handlers and the fast evaluation
// loop: the +-1e24 limit, division and remainder by zero, the truncation of
// int(), the angle conversions and the math-function family. Values are
// single precision; intermediate results are double and rounded once.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// One NaN for one case in every build. The C runtimes' math functions
// disagree on the NaN they give (glibc's log(-1) is negative, the Windows
// runtime's positive), so the engine makes its own, the way the processor's
// arithmetic does: an invalid operation on numbers (ln of a negative number, acos(2), a
// negative number to a fractional power, inf - inf) gives the processor's
// default NaN, bits ffc00000; a NaN operand passes on, quieted.
constexpr float kInvalid = -__builtin_nanf("");
constexpr double kInvalidDouble = -__builtin_nan("");  // rounds to kInvalid

// A math function's result r for the argument x (and y), its NaN made the
// engine's.
inline double function_nan(double r, double x) {
  if (__builtin_expect(r != r, 0)) return x != x ? x : kInvalidDouble;
  return r;
}
inline double function_nan(double r, double x, double y) {
  if (__builtin_expect(r != r, 0)) return x != x ? x : y != y ? y : kInvalidDouble;
  return r;
}
// A C runtime function with its NaN made the engine's (the machine code
// calls these too).
template <double (*F)(double)>
double checked(double x) {
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

// A float's square is exact in double, and its cube is rounded once there:
// both are what an exact power function returns before the rounding to
// single, and a multiplication costs a fraction of a pow call.
inline float rule_square(float a) {
  double d = a;
  return round_limit(d * d);
}
inline float rule_cube(float a) {
  double d = a;
  return round_limit(d * d * d);
}

inline float rule_mod(float a, float b) {
  if (b == 0.0f) return 0.0f;
  const double x = a, y = b;
  return round_limit(function_nan(std::fmod(x, y), x, y));
}

inline float rule_trunc(float a) {
  double d = a;
  return static_cast<float>(function_nan(d >= 0.0 ? std::floor(d) : -std::floor(-d), d));
}

inline float rule_sgn(float a) {
  if (a > 0.0f) return 1.0f;
  if (a < 0.0f) return -1.0f;
  return 0.0f;
}

// a^1.5 as a * sqrt(a) in double rounds to the same float as the power
// function for every non-negative float (checked over all of them against
// the C library's pow); -inf and negative bases go to pow.
inline float rule_pow_three_halves(float a) {
  double d = a;
  return round_limit(d * std::sqrt(d));
}

inline float rule_pow(float a, float b) {
  if (b == 2.0f) return rule_square(a);
  if (b == 3.0f) return rule_cube(a);
  if (b == 1.5f && a >= 0.0f) return rule_pow_three_halves(a);
  const double x = a, y = b;
  return round_limit(function_nan(std::pow(x, y), x, y));
}

// The unary function family: the double function, rounded, then limited
// where the operation says so.
inline float fn_log(float a) { return round_limit(checked<std::log>(a)); }
inline float fn_exp(float a) { return round_limit(checked<std::exp>(a)); }
inline float fn_sqrt(float a) { return round_limit(checked<std::sqrt>(a)); }
inline float fn_sinh(float a) { return round_limit(checked<std::sinh>(a)); }
inline float fn_cosh(float a) { return round_limit(checked<std::cosh>(a)); }
inline float fn_tanh(float a) { return static_cast<float>(checked<std::tanh>(a)); }
inline float fn_sin(float a) { return round_limit(checked<std::sin>(a)); }
inline float fn_cos(float a) { return round_limit(checked<std::cos>(a)); }
inline float fn_tan(float a) { return round_limit(checked<std::tan>(a)); }
inline float fn_atan(float a) { return round_limit(checked<std::atan>(a)); }
inline float fn_acos(float a) { return static_cast<float>(checked<std::acos>(a)); }
inline float fn_asin(float a) { return static_cast<float>(checked<std::asin>(a)); }
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
