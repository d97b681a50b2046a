// asin and acos, correctly rounded, through the arc tangent kernel:
//   asin x = atan(x/w),  acos x = atan(w/x) (x > 0),  w = sqrt((1-x)(1+x))
// where (1-x)(1+x) is exact in double for a float x, and acos of a negative
// x is pi - acos|x| (no cancellation: acos|x| <= pi/2).
#include <emmintrin.h>

#include <cmath>

#include "math/crmath.h"
#include "math/trig_kernels.h"

namespace vt::math {

namespace {

using trig::float_bits;

// asin by |x| (it is odd); acos by the argument's own bits.
const HardCase kAsinHard[] = {
#include "math/asin_hard.inc"
};
const HardCase kAcosHard[] = {
#include "math/acos_hard.inc"
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

struct AsinKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D y = trig::with_sign_of<P>(trig::atan_eval<P>(ax / cofactor<P>(ax)), x);
    hard = (ax >= 1.0) | (ax != ax) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x) { return cr_asin(x); }
};

struct AcosKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D a = trig::atan_eval<P>(cofactor<P>(ax) / ax);
    D y = P::select(x < 0, trig::kPiHead + (trig::kPiTail - a), a);
    hard = (ax > 1.0) | (ax != ax) | (ax == 0) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x) { return cr_acos(x); }
};

float asin_slow(float x, double y) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab > 0x7F800000u) return x + x;              // NaN
  if (ab > 0x3F800000u) return (x - x) / (x - x);  // outside [-1, 1]: invalid
  const bool negative = (float_bits(x) >> 31) != 0;
  const float f = ab == 0x3F800000u ? static_cast<float>(trig::kHalfPiHead)
                                    : listed_or(kAsinHard, std::fabs(x), negative ? -y : y);
  return negative ? -f : f;
}

float acos_slow(float x, double y) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab > 0x7F800000u) return x + x;              // NaN
  if (ab > 0x3F800000u) return (x - x) / (x - x);  // outside [-1, 1]: invalid
  if (ab == 0) return static_cast<float>(trig::kHalfPiHead);
  return listed_or(kAcosHard, x, y);
}

}  // namespace

float cr_asin(float x) { return rows::scalar<AsinKernel>(x, asin_slow); }
float cr_acos(float x) { return rows::scalar<AcosKernel>(x, acos_slow); }

VT_MATH_UNARY_ROWS(asin, AsinKernel)
VT_MATH_UNARY_ROWS(acos, AcosKernel)

}  // namespace vt::math
