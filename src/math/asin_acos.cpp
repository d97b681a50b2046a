// asin and acos, correctly rounded. A scalar call needs no division: asin
// on cells c = j/64 of [0, 1/2] is a degree-6 polynomial in h = u - c
// (|h| <= 1/128, exact), and
//   |x| < 1/2:   asin x = asin_cell(x),  acos x = pi/2 - asin x
//   |x| >= 1/2:  s = sqrt((1 - |x|)/2) <= 1/2,  acos|x| = 2 asin_cell(s),
//                asin|x| = pi/2 - 2 asin_cell(s),  acos(-|x|) = pi - acos|x|
// The call branches to its range's kernel, so that an argument below 1/2
// never waits for the square root. The row kernels go through the arc
// tangent instead (trig_row_kernels.h); both ways end in the same correctly
// rounded float, so rows and scalar calls agree bit for bit.
#include <cmath>

#include "math/crmath.h"
#include "math/trig_row_kernels.h"

namespace vt::math {

namespace {

using trig::float_bits;

// asin u for 0 <= u <= 1/2 (any double: u - c is exact, as u >= c/2) from
// its cell's polynomial, by Estrin's scheme (independent pairs, a chain
// three multiplications deep).
template <class P>
VT_MATH_INLINE typename P::D asin_cell(typename P::D u) {
  using D = typename P::D;
  using U = typename P::U;
  const double shifter = 0x1.8p52;  // adding it rounds to an integer
  D jd = u * 64.0 + shifter;
  const U at = (P::bits(jd) & 63) << 3;
  D h = u - (jd - shifter) * 0x1p-6;
  const double* a = trig::kAsinPoly;
  D h2 = h * h;
  D q0 = P::gather(a, at) + P::gather(a + 1, at) * h;
  D q1 = P::gather(a + 2, at) + P::gather(a + 3, at) * h;
  D q2 = P::gather(a + 4, at) + P::gather(a + 5, at) * h;
  D r1 = q2 + h2 * P::gather(a + 6, at);
  return (q0 + h2 * q1) + (h2 * h2) * r1;
}

// y (never negative) with x's sign.
template <class P>
VT_MATH_INLINE typename P::D with_sign(typename P::D y, typename P::D x) {
  if constexpr (P::L == 1) return __builtin_copysign(y, x);  // SSE logic, no trip through integers
  else return trig::with_sign_of<P>(y, x);
}

// acos|x| = 2 asin(sqrt((1 - |x|)/2)) for 1/2 <= |x| <= 1 ((1 - |x|)/2 is
// exact).
template <class P>
VT_MATH_INLINE typename P::D acos_of_abs(typename P::D x) {
  typename P::D s = sqrt_lanes<P>((1.0 - P::abs(x)) * 0.5);
  return 2.0 * asin_cell<P>(s);
}

// Each function on each range: |x| < 1/2 (pi/2 - asin x then lies in
// [pi/3, 2pi/3]), and 1/2 <= |x| <= 1. No sum cancels.
struct AsinNearZero {
  template <class P>
  static VT_MATH_INLINE typename P::D value(typename P::D x) {
    return with_sign<P>(asin_cell<P>(P::abs(x)), x);
  }
};
struct AcosNearZero {
  template <class P>
  static VT_MATH_INLINE typename P::D value(typename P::D x) {
    return trig::kHalfPiHead + (trig::kHalfPiTail - AsinNearZero::value<P>(x));
  }
};
struct AsinNearOne {
  template <class P>
  static VT_MATH_INLINE typename P::D value(typename P::D x) {
    return with_sign<P>((trig::kHalfPiHead - acos_of_abs<P>(x)) + trig::kHalfPiTail, x);
  }
};
struct AcosNearOne {
  template <class P>
  static VT_MATH_INLINE typename P::D value(typename P::D x) {
    typename P::D a = acos_of_abs<P>(x);
    return P::select(x < 0, (trig::kPiHead - a) + trig::kPiTail, a);
  }
};

// A range's value as a kernel: the arguments are in range by the caller's
// branch, so only the rounding test can make a lane hard.
template <class Range>
struct InRange {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    typename P::D y = Range::template value<P>(x);
    hard = trig::unsettled<P>(y);
    return y;
  }
};

// asin by |x| (it is odd); acos by the argument's own bits.
const HardCase kAsinHard[] = {
#include "math/asin_hard.inc"
};
const HardCase kAcosHard[] = {
#include "math/acos_hard.inc"
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

// Outside [-1, 1] and NaN go straight to the slow path, which answers them.
float AsinKernel::scalar(float x) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab < 0x3F000000u) return rows::scalar<InRange<AsinNearZero>>(x, asin_slow);
  if (ab <= 0x3F800000u) return rows::scalar<InRange<AsinNearOne>>(x, asin_slow);
  return asin_slow(x, 0.0);
}
float AcosKernel::scalar(float x) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab < 0x3F000000u) return rows::scalar<InRange<AcosNearZero>>(x, acos_slow);
  if (ab <= 0x3F800000u) return rows::scalar<InRange<AcosNearOne>>(x, acos_slow);
  return acos_slow(x, 0.0);
}
float cr_asin(float x) { return AsinKernel::scalar(x); }
float cr_acos(float x) { return AcosKernel::scalar(x); }

VT_MATH_UNARY_ROWS(asin, AsinKernel)
VT_MATH_UNARY_ROWS(acos, AcosKernel)

}  // namespace vt::math
