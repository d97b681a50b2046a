// Kernels of sinh, cosh and tanh (see rows.h), built on exp_approx.
//
// Below |x| = 1/2, where exp-based forms of sinh and tanh lose digits to
// cancellation, both take Taylor polynomials of sinh and cosh (degree 17
// and 16: truncation below 2^-63 of the result). Above it:
//   sinh |x| = (E - 1/E)/2,  cosh x = (E + 1/E)/2,  E = exp|x|
//   tanh |x| = 1 - 2/(exp(2|x|) + 1)
// Each error bound below adds the relative errors of its steps (the
// subtraction of sinh at most doubles E's error for |x| >= 1/2, that of
// tanh at most 1.17 times); the exhaustive check confirms them. exp_approx
// clamps its argument, so large |x| yields a huge but finite E and the
// float rounding becomes infinity (sinh, cosh) or 1 (tanh) by itself.
#pragma once

#include "math/exp_core.h"

namespace vt::math {

namespace hyperbolic {

constexpr double kSmall = 0.5;  // below: Taylor polynomials

// x + x^3/3! + ... + x^17/17!
template <class P>
VT_MATH_INLINE typename P::D sinh_taylor(typename P::D x, typename P::D x2) {
  return x + x * x2 * (0x1.5555555555555p-3 + x2 * (0x1.1111111111111p-7 +
         x2 * (0x1.a01a01a01a01ap-13 + x2 * (0x1.71de3a556c734p-19 + x2 * (0x1.ae64567f544e4p-26 +
         x2 * (0x1.6124613a86d09p-33 + x2 * (0x1.ae7f3e733b81fp-41 + x2 * 0x1.952c77030ad4ap-49)))))));
}

// 1 + x^2/2! + ... + x^16/16!
template <class P>
VT_MATH_INLINE typename P::D cosh_taylor(typename P::D x2) {
  return 1.0 + x2 * (0.5 + x2 * (0x1.5555555555555p-5 + x2 * (0x1.6c16c16c16c17p-10 +
         x2 * (0x1.a01a01a01a01ap-16 + x2 * (0x1.27e4fb7789f5cp-22 + x2 * (0x1.1eed8eff8d898p-29 +
         x2 * (0x1.93974a8c07c9dp-37 + x2 * 0x1.ae7f3e733b81fp-45)))))));
}

template <class P>
VT_MATH_INLINE typename P::D with_sign_of(typename P::D magnitude, typename P::D x) {
  return P::from_bits(P::bits(magnitude) | (P::bits(x) & 0x8000000000000000ull));
}

template <class P>
VT_MATH_INLINE typename P::D finish(typename P::D x, typename P::D y, typename P::D err,
                                    typename P::M& hard) {
  hard |= rows::ambiguous<P>(y - err, y + err);
  return P::select(x != x, x + x, y);
}

}  // namespace hyperbolic

struct SinhKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D small = hyperbolic::sinh_taylor<P>(x, x * x);
    D e = exp_approx<P>(ax);
    D ie = 1.0 / e;
    D large = hyperbolic::with_sign_of<P>((e - ie) * 0.5, x);
    auto is_small = ax < hyperbolic::kSmall;
    D y = P::select(is_small, small, large);
    D err = P::select(is_small, P::abs(y) * 0x1.2p-52,
                      (e + ie) * (0.5 * 0x1.2p-52) + P::abs(y) * 0x1p-52);
    return hyperbolic::finish<P>(x, y, err, hard);
  }
  static float scalar(float x);
};

struct CoshKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D e = exp_approx<P>(P::abs(x));
    D y = (e + 1.0 / e) * 0.5;
    D err = y * 0x1.9p-52;
    return hyperbolic::finish<P>(x, y, err, hard);
  }
  static float scalar(float x);
};

struct TanhKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D x2 = x * x;
    D small = hyperbolic::sinh_taylor<P>(x, x2) / hyperbolic::cosh_taylor<P>(x2);
    D q = 2.0 / (exp_approx<P>(ax + ax) + 1.0);
    D large = hyperbolic::with_sign_of<P>(1.0 - q, x);
    auto is_small = ax < hyperbolic::kSmall;
    D y = P::select(is_small, small, large);
    D err = P::select(is_small, P::abs(y) * 0x1.9p-52, q * 0x1.1p-51 + P::abs(y) * 0x1p-53);
    return hyperbolic::finish<P>(x, y, err, hard);
  }
  static float scalar(float x);
};

}  // namespace vt::math
