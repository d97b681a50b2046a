// atan, correctly rounded: the grid kernel of trig_kernels.h, and the table
// of the arguments whose rounding its double cannot settle.
#include <cmath>

#include "math/crmath.h"
#include "math/trig_kernels.h"

namespace vt::math {

namespace {

using trig::float_bits;

// By |x|; atan is odd.
const HardCase kAtanHard[] = {
#include "math/atan_hard.inc"
};

struct AtanKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    D ax = P::abs(x);
    D y = trig::with_sign_of<P>(trig::atan_eval<P>(ax), x);
    hard = (ax > 0x1.fffffep127) | (ax != ax) | trig::unsettled<P>(y);
    return y;
  }
  static float scalar(float x) { return cr_atan(x); }
};

float atan_slow(float x, double y) {
  const std::uint32_t ab = float_bits(x) & 0x7FFFFFFFu;
  if (ab > 0x7F800000u) return x + x;  // NaN
  const bool negative = (float_bits(x) >> 31) != 0;
  const float f = ab == 0x7F800000u ? static_cast<float>(trig::kHalfPiHead)
                                    : listed_or(kAtanHard, std::fabs(x), negative ? -y : y);
  return negative ? -f : f;
}

}  // namespace

float cr_atan(float x) { return rows::scalar<AtanKernel>(x, atan_slow); }

VT_MATH_UNARY_ROWS(atan, AtanKernel)

}  // namespace vt::math
