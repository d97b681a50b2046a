// Kernel of pow (see rows.h) for x > 0 finite and y finite: x^y = 2^t,
// t = y*log2(x).
//
// log2(x) as a double-double with relative error below 2^-69: x = 2^e*m,
// the log's buckets (tables.h) give r = m*c - 1 exactly with |r| <= 2^-8,
//   log2(x) = e + shift + tail2 + log1p(r)/ln2,
// with log1p(r) = r - r^2/2 (exact products) + r^3*(1/3 - r/4 + ... + r^6/9)
// (truncation below 2^-75 of r) and tail2 = -log2(c) - shift to 106 bits.
// Then t = y*h29 + y*rest, h29 the top 29 bits of the log's high part, so
// that y*h29 is exact; |t| < 128 keeps the error of t below 2^-61.
//
// 2^t = 2^(k/128) * 2^rr, k the integer nearest 128*t, |rr| <= 1/256:
// 2^(k/128) to 106 bits from the tables, 2^rr - 1 by its Taylor polynomial
// of degree 6 (truncation 2^-72). The result hi + lo carries a relative
// error below 2^-59 (kPowError allows 2^-58).
//
// Rounding: the float rounding of hi + lo can differ from that of hi only
// when hi lies within two double ulps of the middle M between two floats;
// there the sign of (hi - M) + lo decides, unless |(hi - M) + lo| is within
// the error bound: such lanes are hard. Exact middles (4097^2, 66049^1.5)
// are always hard and settled by exact integer arithmetic in pow.cpp, the
// others by the accurate path (pow_accurate.h).
//
// Hard as well: x <= 0, x or y not finite (the special cases), and results
// outside the normal floats (|t| >= 125 or so), where the scalar function
// rounds to a subnormal or saturates.
#pragma once

#include "math/double_double.h"
#include "math/rows.h"
#include "math/tables.h"

namespace vt::math {

constexpr double kPowError = 0x1p-58;

template <class P>
struct PowParts {
  typename P::D t;       // y*log2(x), high part (clamped to [-160, 130])
  dd::Pair<P> value;     // x^y, hi + lo
};

template <class P>
VT_MATH_INLINE PowParts<P> pow_parts(typename P::D x, typename P::D y) {
  using D = typename P::D;
  using U = typename P::U;
  constexpr double kShifter = 0x1.8p52;
  constexpr double kInvLn2Hi = 0x1.71547652b82fep+0, kInvLn2Lo = 0x1.777d0ffda0d24p-56;

  // log2(x) = h + l
  U xb = P::bits(x);
  U row = (xb >> 44) & std::uint64_t{255};
  D c = P::gather(&tables::log_bucket[0][0], row * 3);
  D shift = P::gather(&tables::log_bucket[0][2], row * 3);
  D tail_hi = P::gather(&tables::log2_tail[0][0], row * 2);
  D tail_lo = P::gather(&tables::log2_tail[0][1], row * 2);
  D e = (P::from_bits(P::bits(P::splat(kShifter)) + (xb >> 52)) - (kShifter + 1023.0)) + shift;
  D m = P::from_bits((xb & 0x000fffffffffffffull) | 0x3ff0000000000000ull);
  D r = m * c - 1.0;
  dd::Pair<P> r2 = dd::two_prod<P>(r, r);
  dd::Pair<P> s = dd::fast_two_sum<P>(r, r2.hi * -0.5);
  D cubic = r2.hi * r *
            (0x1.5555555555555p-2 + r * (-0.25 + r * (0x1.999999999999ap-3 + r * (-0x1.5555555555555p-3 +
             r * (0x1.2492492492492p-3 + r * (-0.125 + r * 0x1.c71c71c71c71cp-4))))));
  s.lo = s.lo + (r2.lo * -0.5 + cubic);
  dd::Pair<P> p = dd::two_prod<P>(s.hi, P::splat(kInvLn2Hi));
  p.lo = p.lo + (s.hi * kInvLn2Lo + s.lo * kInvLn2Hi);
  dd::Pair<P> a = dd::fast_two_sum<P>(e, tail_hi);
  dd::Pair<P> lg = dd::two_sum<P>(a.hi, p.hi);
  lg.lo = lg.lo + (a.lo + tail_lo + p.lo);

  // t = y*log2(x) = th + tl, th exact
  D h29 = P::from_bits(P::bits(lg.hi) & 0xffffffffff000000ull);
  D th = y * h29;
  D tl = y * ((lg.hi - h29) + lg.lo);
  th = th < 130.0 ? th : P::splat(130.0);
  th = th > -160.0 ? th : P::splat(-160.0);

  // 2^t
  D shifted = th * 128.0 + kShifter;
  D k = shifted - kShifter;
  U kb = P::bits(shifted) - P::bits(P::splat(kShifter));
  D rr = (th - k * 0x1p-7) + tl;
  D q = rr * (0x1.62e42fefa39efp-1 + rr * (0x1.ebfbdff82c58fp-3 + rr * (0x1.c6b08d704a0c0p-5 +
        rr * (0x1.3b2ab6fba4e77p-7 + rr * (0x1.5d87fe78a6731p-10 + rr * 0x1.430912f86c787p-13)))));
  U j = kb & std::uint64_t{127};
  D t_hi = P::gather(tables::exp2_frac, j);
  D t_lo = P::gather(tables::exp2_frac_lo, j);
  D scale = P::from_bits(P::bits(P::splat(1.0)) + ((kb & ~std::uint64_t{127}) << 45));
  dd::Pair<P> v = dd::fast_two_sum<P>(t_hi, t_lo + t_hi * q);
  return {th, {v.hi * scale, v.lo * scale}};
}

// A double whose float rounding is that of hi + lo (> 0, normal float
// range), known to a relative error; lanes where that error leaves the
// side of a halfway point open are flagged hard.
template <class P>
VT_MATH_INLINE typename P::D pow_round(dd::Pair<P> v, double error, typename P::M& hard) {
  using D = typename P::D;
  using U = typename P::U;
  U hb = P::bits(v.hi);
  constexpr std::uint64_t kDropped = 0x1fffffff, kHalf = 0x10000000;  // the 29 bits a float drops
  auto near = ((hb & kDropped) - (kHalf - 2)) <= std::uint64_t{4};
  D middle = P::from_bits((hb & ~kDropped) | kHalf);
  D past = (v.hi - middle) + v.lo;  // v.hi - middle is exact: at most 2 ulps
  hard |= P::mask(near) & P::mask(P::abs(past) <= v.hi * error);
  D decided = P::select(past > 0.0, middle * (1.0 + 0x1p-30), middle * (1.0 - 0x1p-30));
  return P::select(near, decided, v.hi);
}

// The power kernels' domain, x > 0 finite and y finite: lanes outside it
// are flagged hard and compute 1^1 instead (the scalar function answers
// them).
template <class P>
VT_MATH_INLINE void pow_domain(typename P::D& x, typename P::D& y, typename P::M& hard) {
  hard |= rows::outside<P>(x, 0.0, __builtin_inf()) | rows::outside<P>(P::abs(y), -1.0, __builtin_inf());
  x = P::select(hard, P::splat(1.0), x);
  y = P::select(hard, P::splat(1.0), y);
}

struct PowKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::D y, typename P::M& hard) {
    pow_domain<P>(x, y, hard);
    PowParts<P> parts = pow_parts<P>(x, y);
    hard |= rows::outside<P>(parts.t, -125.0, 127.5);
    return pow_round<P>(parts.value, kPowError, hard);
  }
  static float scalar(float x, float y);
};

}  // namespace vt::math
