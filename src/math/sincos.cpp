// sin and cos, correctly rounded: the kernels and slow path of
// trig_kernels.h, and the tables of the arguments whose rounding the
// kernels' double cannot settle.
#include "math/crmath.h"
#include "math/trig_row_kernels.h"

namespace vt::math {

namespace {

using trig::Trig;

// By |x|; sin is odd and cos even.
const HardCase kSinHard[] = {
#include "math/sin_hard.inc"
};
const HardCase kCosHard[] = {
#include "math/cos_hard.inc"
};

}  // namespace

float SinKernel::scalar(float x) {
  return rows::scalar<SinKernel>(x, [](float v, double y) {
    return trig::trig_slow<Trig::kSin>(v, y, kSinHard);
  });
}
float CosKernel::scalar(float x) {
  return rows::scalar<CosKernel>(x, [](float v, double y) {
    return trig::trig_slow<Trig::kCos>(v, y, kCosHard);
  });
}

float cr_sin(float x) { return SinKernel::scalar(x); }
float cr_cos(float x) { return CosKernel::scalar(x); }

VT_MATH_UNARY_ROWS(sin, SinKernel)
VT_MATH_UNARY_ROWS(cos, CosKernel)

}  // namespace vt::math
