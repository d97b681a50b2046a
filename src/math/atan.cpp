// atan, correctly rounded: the grid kernel of trig_kernels.h, and the table
// of the arguments whose rounding its double cannot settle.
#include <cmath>

#include "math/crmath.h"
#include "math/trig_row_kernels.h"

namespace vt::math {

namespace {

using trig::float_bits;

// By |x|; atan is odd.
const HardCase kAtanHard[] = {
#include "math/atan_hard.inc"
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

float AtanKernel::scalar(float x) { return rows::scalar<AtanKernel>(x, atan_slow); }
float cr_atan(float x) { return AtanKernel::scalar(x); }

VT_MATH_UNARY_ROWS(atan, AtanKernel)

}  // namespace vt::math
