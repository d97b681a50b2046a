// The row kernels of the trigonometric functions and their inverses (see
// rows.h), in a header because the AVX-512 row forms (rows_avx512.cpp) are
// built from them in a file of their own. Each kernel's scalar function is
// the complete one, defined out of line beside it.
#pragma once

#include <emmintrin.h>

#include "math/trig_kernels.h"

namespace vt::math {

struct SinKernel : trig::TrigFast<trig::Trig::kSin> {
  static float scalar(float x);
};
struct CosKernel : trig::TrigFast<trig::Trig::kCos> {
  static float scalar(float x);
};
struct TanKernel : trig::TrigFast<trig::Trig::kTan> {
  static float scalar(float x);
};

struct AtanKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D y = trig::with_sign_of<P>(trig::atan_eval<P>(ax), x);
    hard = P::mask(ax > 0x1.fffffep127) | P::mask(ax != ax) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x);
};

// The square root instruction, correctly rounded, lane by lane: never a
// library call, and the same in every pack.
template <class P>
VT_MATH_INLINE typename P::D sqrt_lanes(typename P::D v) {
  if constexpr (P::L == 1) {
    return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_set_sd(v), _mm_set_sd(v)));
  } else {
    typename P::D r;
    for (int i = 0; i < P::L; i += 2) {
      double two[2];
      _mm_storeu_pd(two, _mm_sqrt_pd(_mm_set_pd(v[i + 1], v[i])));
      r[i] = two[0];
      r[i + 1] = two[1];
    }
    return r;
  }
}

// sqrt(1 - x^2) for |x| <= 1.
template <class P>
VT_MATH_INLINE typename P::D cofactor(typename P::D ax) {
  return sqrt_lanes<P>((1.0 - ax) * (1.0 + ax));
}

// The row kernels of asin and acos go through the arc tangent, which
// vectorises better than the scalar calls' polynomial from a table of cells
// (seven gathers a pack; asin_acos.cpp):
//   asin x = atan(x/w),  acos x = atan(w/x) (x > 0),  w = sqrt((1-x)(1+x))
// where (1-x)(1+x) is exact in double for a float x, and acos of a negative
// x is pi - acos|x| (no cancellation: acos|x| <= pi/2).
struct AsinKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D y = trig::with_sign_of<P>(trig::atan_eval<P>(ax / cofactor<P>(ax)), x);
    hard = P::mask(ax >= 1.0) | P::mask(ax != ax) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x);
};

struct AcosKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D a = trig::atan_eval<P>(cofactor<P>(ax) / ax);
    D y = P::select(x < 0, trig::kPiHead + (trig::kPiTail - a), a);
    hard = P::mask(ax > 1.0) | P::mask(ax != ax) | P::mask(ax == 0) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x);
};

}  // namespace vt::math
