// Exact sums and products of doubles (error-free transformations), the
// building blocks of the power's double-double arithmetic. Plain IEEE
// operations only, no fused multiply-add: every lane width and every build
// gives the same bits.
#pragma once

#include "math/rows.h"

namespace vt::math::dd {

template <class P>
struct Pair {
  typename P::D hi, lo;  // the value is hi + lo exactly
};

// a + b as hi + lo, for any a and b.
template <class P>
VT_MATH_INLINE Pair<P> two_sum(typename P::D a, typename P::D b) {
  typename P::D s = a + b;
  typename P::D bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a + b as hi + lo, when |a| >= |b| or a = 0.
template <class P>
VT_MATH_INLINE Pair<P> fast_two_sum(typename P::D a, typename P::D b) {
  typename P::D s = a + b;
  return {s, b - (s - a)};
}

// a * b as hi + lo (Dekker; |a|, |b| below 2^995, as here).
template <class P>
VT_MATH_INLINE Pair<P> two_prod(typename P::D a, typename P::D b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  typename P::D p = a * b;
  typename P::D ca = a * kSplit, cb = b * kSplit;
  typename P::D ah = ca - (ca - a), bh = cb - (cb - b);
  typename P::D al = a - ah, bl = b - bh;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

}  // namespace vt::math::dd
