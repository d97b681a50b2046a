// asin and acos, correctly rounded, through the arc tangent kernel:
//   asin x = atan(x/w),  acos x = atan(w/x) (x > 0),  w = sqrt((1-x)(1+x))
// where (1-x)(1+x) is exact in double for a float x, and acos of a negative
// x is pi - acos|x| (no cancellation: acos|x| <= pi/2).
#include <cmath>

#include "math/crmath.h"
#include "math/trig_row_kernels.h"

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

float AsinKernel::scalar(float x) { return rows::scalar<AsinKernel>(x, asin_slow); }
float AcosKernel::scalar(float x) { return rows::scalar<AcosKernel>(x, acos_slow); }
float cr_asin(float x) { return AsinKernel::scalar(x); }
float cr_acos(float x) { return AcosKernel::scalar(x); }

VT_MATH_UNARY_ROWS(asin, AsinKernel)
VT_MATH_UNARY_ROWS(acos, AcosKernel)

}  // namespace vt::math
