// tan, correctly rounded: the kernel and slow path of trig_kernels.h, and
// the table of the arguments whose rounding the kernel's double cannot
// settle.
#include "math/crmath.h"
#include "math/trig_row_kernels.h"

namespace vt::math {

namespace {

using trig::Trig;

// By |x|; tan is odd.
const HardCase kTanHard[] = {
#include "math/tan_hard.inc"
};

}  // namespace

float TanKernel::scalar(float x) {
  return rows::scalar<TanKernel>(x, [](float v, double y) {
    return trig::trig_slow<Trig::kTan>(v, y, kTanHard);
  });
}

float cr_tan(float x) { return TanKernel::scalar(x); }

VT_MATH_UNARY_ROWS(tan, TanKernel)

}  // namespace vt::math
