// The kernels of the trigonometric functions, written once over the packs
// of rows.h: the scalar functions run them on one lane, the row forms on
// four or eight. Each computes the value in double with an error of a few
// units in its last place and marks as hard the lanes that the rounding
// test cannot clear (or that lie outside its range); the scalar function's
// slow path settles those.
//
// sin, cos and tan: x*32/pi = k + r with |r| <= 1/2, so x = (k + r)*pi/32,
// and with a = k*pi/32 (from a table of 64 sines in two parts), t = r*pi/32:
//   sin x = sin a + (sin a*(cos t - 1) + cos a*sin t)
// the small correction added last to the table value.
#pragma once

#include <cstdint>
#include <cstring>

#include "math/exceptions.h"
#include "math/rows.h"

namespace vt::math::trig {

#include "math/trig_tables.inc"

// Arguments below this (2^20) take the short reduction.
constexpr double kShortReductionLimit = 0x1p20;

inline std::uint32_t float_bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

// Lanes whose result y may round either way. The kernels' error stays
// below 2^-50 of the result; the test allows 2^-45 (64 units of y's last
// place), so that it is cheap to trust and still fires for only a few
// arguments in a million. (Where the float is subnormal, the kernels' y is
// so close to the float argument that no rounding boundary is near.)
template <class P>
VT_MATH_INLINE typename P::M unsettled(typename P::D y) {
  return rows::near_float_middle<P, 64>(y);
}

// y with the sign of x flipped in (odd functions).
template <class P>
VT_MATH_INLINE typename P::D with_sign_of(typename P::D y, typename P::D x) {
  return P::from_bits(P::bits(y) ^ (P::bits(x) & 0x8000000000000000ull));
}

// Short reduction of |x| < 2^20: r = x*32/pi - k with three parts of 32/pi.
// x*Hi and x*Mid are exact (24 + 29 bits) and x*Hi - k is exact (the
// difference is below 1 on the grid of x*Hi), so r carries only the
// rounding of its two last additions, relative to r itself. k is left in
// the low bits of the shifted double.
template <class P>
VT_MATH_INLINE void reduce_short(typename P::D ax, typename P::D& r, typename P::U& k) {
  using D = typename P::D;
  const double shifter = 0x1.8p52;  // adding it rounds to an integer
  D kd = ax * kInvPi32 + shifter;
  k = P::bits(kd);
  kd = kd - shifter;
  D t = ax * kInvPi32Hi - kd;
  r = (t + ax * kInvPi32Mid) + ax * kInvPi32Lo;
}

// Long reduction of a finite |x| >= 2^20 given by its float bits: integer
// arithmetic on 128 bits of 2/pi (trig_reduce.cpp). Returns r, sets k.
double reduce_long(std::uint32_t abs_bits, std::uint64_t& k);

// sin(t), cos(t) - 1 for t = r*pi/32.
template <class P>
VT_MATH_INLINE void sin_cosm1(typename P::D r, typename P::D& sn, typename P::D& cm1) {
  typename P::D s = r * r;
  sn = r * (kSinPoly[0] + s * (kSinPoly[1] + s * (kSinPoly[2] + s * kSinPoly[3])));
  cm1 = s * (kCosPoly[0] + s * (kCosPoly[1] + s * (kCosPoly[2] + s * kCosPoly[3])));
}

// sin((k + shift + r)*pi/32): shift 0 gives the sine, 16 the cosine.
template <class P>
VT_MATH_INLINE typename P::D sin_eval(typename P::D r, typename P::U k, unsigned shift) {
  using D = typename P::D;
  using U = typename P::U;
  U j = (k + shift) & 63;
  U jc = (j + 16) & 63;
  D sa = P::gather(kSinHead, j), sa_tail = P::gather(kSinTail, j), ca = P::gather(kSinHead, jc);
  D sn, cm1;
  sin_cosm1<P>(r, sn, cm1);
  return sa + (sa_tail + (sa * cm1 + ca * sn));
}

// tan((k + r)*pi/32) as the quotient of the sine and cosine sums. Near a
// pole the cosine sum is -sin(t) or close to it, never a difference of
// nearly equal terms, so the quotient keeps its relative accuracy.
template <class P>
VT_MATH_INLINE typename P::D tan_eval(typename P::D r, typename P::U k) {
  using D = typename P::D;
  using U = typename P::U;
  U j = k & 63;
  U jc = (j + 16) & 63;
  D sa = P::gather(kSinHead, j), sa_tail = P::gather(kSinTail, j);
  D ca = P::gather(kSinHead, jc), ca_tail = P::gather(kSinTail, jc);
  D sn, cm1;
  sin_cosm1<P>(r, sn, cm1);
  D num = sa + (sa_tail + (sa * cm1 + ca * sn));
  D den = ca + (ca_tail + (ca * cm1 - sa * sn));
  return num / den;
}

// atan(u) for u >= 0 (any bits: NaN and infinity give some value, for the
// caller to mark hard). With c the middle of u's cell on the grid (an
// eighth of a binade; c = 0 below 2^-5, the last cell above 2^26),
//   atan u = atan c + atan t,  t = (u - c)/(1 + u*c),  |t| <= 1/32.
// u - c is exact (same binade); for a float u so is u*c (24 + 5 bits).
template <class P>
VT_MATH_INLINE typename P::D atan_eval(typename P::D u) {
  using D = typename P::D;
  using I = typename P::I;
  using U = typename P::U;
  const std::int64_t first = ((1023 + kAtanGridFirstExponent) << 3) - 1;
  I idx = (I)(P::bits(u) >> 49) - first;
  idx = idx < 0 ? I{} : idx;
  idx = idx > kAtanGridEntries - 1 ? I{} + (kAtanGridEntries - 1) : idx;
  const U at = (U)idx;
  D c = P::gather(kAtanGridC, at);
  D t = (u - c) / (1.0 + u * c);
  D s = t * t;
  D p = t + (t * s) * (kAtanPoly[0] + s * (kAtanPoly[1] + s * (kAtanPoly[2] + s * kAtanPoly[3])));
  return P::gather(kAtanGridHead, at) + (P::gather(kAtanGridTail, at) + p);
}

enum class Trig { kSin, kCos, kTan };

template <Trig F, class P>
VT_MATH_INLINE typename P::D trig_eval(typename P::D r, typename P::U k) {
  if constexpr (F == Trig::kTan) {
    return tan_eval<P>(r, k);
  } else {
    return sin_eval<P>(r, k, F == Trig::kCos ? 16 : 0);
  }
}

// The fast path of sin, cos and tan for |x| < 2^20.
template <Trig F>
struct TrigFast {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x), r;
    typename P::U k;
    reduce_short<P>(ax, r, k);
    D y = trig_eval<F, P>(r, k);
    if (F != Trig::kCos) y = with_sign_of<P>(y, x);  // odd
    hard = P::mask(ax >= kShortReductionLimit) | P::mask(ax != ax) | unsettled<P>(y);
    return y;
  }
};

// The scalar slow path of sin, cos and tan: NaN and infinities, the long
// reduction, and the hard cases (by |x|, the function's value at |x|). y
// is the fast path's value where |x| < 2^20.
template <Trig F, std::size_t N>
float trig_slow(float x, double y, const HardCase (&hard)[N]) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab >= 0x7F800000u) return x - x;  // NaN stays NaN, +-inf gives NaN
  const bool flip = F != Trig::kCos && (float_bits(x) >> 31) != 0;
  if (ab >= float_bits(static_cast<float>(kShortReductionLimit))) {
    std::uint64_t k;
    const double r = reduce_long(ab, k);
    y = trig_eval<F, rows::One>(r, k);
    if (flip) y = -y;
    if (!unsettled<rows::One>(y)) return static_cast<float>(y);
  }
  float ax;
  std::memcpy(&ax, &ab, sizeof ax);
  const float f = listed_or(hard, ax, flip ? -y : y);
  return flip ? -f : f;
}

}  // namespace vt::math::trig
