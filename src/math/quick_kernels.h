// First-stage kernels of exp, log and pow (see rows.h): plain double
// arithmetic with short polynomials, some 2^-49 relative error, and a
// rounding test on the result's bits. Where the test cannot decide (about
// one argument in 2^22, one pair in 2^16 for pow) or the argument lies
// outside the stage's range, the lane is hard and the complete function of
// exp_kernel.h, log_kernel.h or pow_kernel.h answers it. Correct rounding
// rests on the error bounds below alone: a lane that passes the test rounds
// to the float nearest the exact value (rows::near_float_middle).
#pragma once

#include "math/pow_kernel.h"
#include "math/rows.h"
#include "math/tables.h"

namespace vt::math {

namespace quick {

// exp's quick stage takes x in (kExpLow, kExpHigh), where exp(x) is a
// normal float: the bit test counts a normal float's bits.
constexpr double kExpLow = -87.0, kExpHigh = 88.5;

// The bit test's windows, in double units: each function's error bound
// below with room to spare.
constexpr unsigned kExpUlps = 64, kLogUlps = 32, kPowUlps = 4096;

// exp(x) for any double x in [-104, 90]: relative error below 14 double
// units (2^-49.4). exp(x) = 2^(k/128) * exp(r), r = x - k*ln2/128 with
// |r| <= ln2/256; k*kStepHi is exact and x - k*kStepHi exact by Sterbenz's
// lemma. exp(r) = 1 + q, q the Taylor polynomial of degree 4 (truncation
// below 2^-49.5); the table entry is off by at most 2^-53, the last
// addition by half a unit.
template <class P>
VT_MATH_INLINE typename P::D exp_core(typename P::D x) {
  using D = typename P::D;
  using U = typename P::U;
  constexpr double kShifter = 0x1.8p52;
  constexpr double kInvStep = 0x1.71547652b82fep+7;  // 128/ln2
  constexpr double kStepHi = 0x1.62e42fefa0000p-8;
  constexpr double kStepLo = 0x1.cf79abc9e3b3ap-47;
  D shifted = x * kInvStep + kShifter;
  D k = shifted - kShifter;
  U kbits = P::bits(shifted) - P::bits(P::splat(kShifter));
  D r = (x - k * kStepHi) - k * kStepLo;
  // q = r + r^2*(1/2 + r/6 + r^2/24), the two halves in parallel
  D r2 = r * r;
  D q = r + r2 * ((0.5 + r * 0x1.5555555555555p-3) + r2 * 0x1.5555555555555p-5);
  U scale = (kbits & ~std::uint64_t{127}) << 45;
  D t = P::from_bits(P::bits(P::gather(tables::exp2_frac, kbits & std::uint64_t{127})) + scale);
  return t + t * q;
}

// log(x) for x > 0 finite: relative error below 8 double units (2^-50).
// The log kernel's buckets (log_kernel.h) give r = m*c - 1 exactly and
//   log(x) = (e + shift)*ln2 + tail + log1p(r),
// log1p(r) by its Taylor polynomial of degree 6. In the buckets next to 1
// the sum is log1p(r) alone (|r| < 2^-8; truncation below 2^-50.8 of it);
// elsewhere |r| <= 2^-8.7 (truncation below 2^-63 absolute) and
// |log(x)| >= 2^-9.1 while |s| stays below 2.2 |log(x)|, so the roundings of
// the table, of s and of the last addition stay below 7.5 units.
// The argument comes as the bits of a positive finite double.
template <class P>
VT_MATH_INLINE typename P::D log_core_bits(typename P::U xb) {
  using D = typename P::D;
  using U = typename P::U;
  constexpr double kShifter = 0x1.8p52;
  constexpr double kLn2Hi = 0x1.62e42fefa3a00p-1;  // 44 bits: e*kLn2Hi is exact
  constexpr double kLn2Lo = -0x1.0ca86c3898d00p-49;
  U row = ((xb >> 44) & std::uint64_t{255}) * 3;
  D c = P::gather(&tables::log_bucket[0][0], row);
  D tail = P::gather(&tables::log_bucket[0][1], row);
  // e + shift: the bucket's shift is the mantissa's top bit (m >= 1.5),
  // so (2e + shift + 1) >> 1 with the biased exponent, straight from the bits
  D e = P::from_bits(P::bits(P::splat(kShifter)) + (((xb >> 51) + 1) >> 1)) - (kShifter + 1023.0);
  D m = P::from_bits((xb & 0x000fffffffffffffull) | 0x3ff0000000000000ull);
  D r = m * c - 1.0;
  D r2 = r * r;
  // r - r^2/2 + r^3/3 - r^4/4 + r^5/5 - r^6/6 as r + r^2*(a + r^2*b)
  D a = -0.5 + r * 0x1.5555555555555p-2;
  D b = (-0.25 + r * 0x1.999999999999ap-3) + r2 * -0x1.5555555555555p-3;
  D p = r + r2 * (a + r2 * b);
  D s = e * kLn2Hi + tail;
  return s + (p + e * kLn2Lo);
}

template <class P>
VT_MATH_INLINE typename P::D log_core(typename P::D x) {
  return log_core_bits<P>(P::bits(x));
}

// Whether float bits are those of a positive normal float (the patterns
// 0x00800000 to 0x7f7fffff), the domain of double_bits_of_normal.
constexpr bool positive_normal(std::uint32_t float_bits) { return float_bits - 0x00800000u < 0x7f000000u; }

// The double bits of a positive normal float given by its bits: the
// exponent rebiased, the fraction moved up. (Integer work where a
// conversion and a register move would stand in the chain.)
constexpr std::uint64_t double_bits_of_normal(std::uint32_t float_bits) {
  return (std::uint64_t{float_bits} << 29) + (std::uint64_t{1023 - 127} << 52);
}

}  // namespace quick

struct ExpQuickKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    hard |= rows::outside<P>(x, quick::kExpLow, quick::kExpHigh);
    x = P::select(hard, P::splat(0.0), x);
    typename P::D y = quick::exp_core<P>(x);
    hard |= rows::near_float_middle<P, quick::kExpUlps>(y);
    return y;
  }
  static float scalar(float x);
};

struct LogQuickKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    hard |= rows::outside<P>(x, 0.0, __builtin_inf());
    x = P::select(hard, P::splat(1.0), x);
    typename P::D y = quick::log_core<P>(x);
    hard |= rows::near_float_middle<P, quick::kLogUlps>(y);
    return y;
  }
  static float scalar(float x);
};

// x^y = exp(y*log(x)) for x > 0 finite, y finite. log(x) is off by 2^-50
// relative, y*log(x) by 2^-53 more: with |t| < 88.5 that moves t by less than
// 2^-42.4 absolute, which exp turns into a relative error of about as much
// (1550 units), plus exp's own 14: 4096 units cover both. Exact results
// that are floats lie far from any middle; exact middles (4097^2) are
// always hard.
struct PowQuickKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::D y, typename P::M& hard) {
    pow_domain<P>(x, y, hard);
    typename P::D t = y * quick::log_core<P>(x);
    hard |= rows::outside<P>(t, quick::kExpLow, quick::kExpHigh);
    t = P::select(hard, P::splat(0.0), t);
    typename P::D v = quick::exp_core<P>(t);
    hard |= rows::near_float_middle<P, quick::kPowUlps>(v);
    return v;
  }
  static float scalar(float x, float y);
};

}  // namespace vt::math
