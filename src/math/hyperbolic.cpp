// sinh, cosh and tanh for floats, correctly rounded (kernels in
// hyperbolic_kernel.h).
#include "math/crmath.h"
#include "math/exceptions.h"
#include "math/hyperbolic_kernel.h"

namespace vt::math {

namespace {

const HardCase kSinhHardCases[] = {
#include "math/sinh_hard_cases.inc"
};
const HardCase kCoshHardCases[] = {
#include "math/cosh_hard_cases.inc"
};

}  // namespace

float SinhKernel::scalar(float x) {
  return rows::scalar<SinhKernel>(x, [](float a, double y) { return listed_or(kSinhHardCases, a, y); });
}
float CoshKernel::scalar(float x) {
  return rows::scalar<CoshKernel>(x, [](float a, double y) { return listed_or(kCoshHardCases, a, y); });
}
// tanh's kernel decides every float argument (scripts/math/hard_cases.cpp
// lists none); the fallback is there for the form's sake.
float TanhKernel::scalar(float x) {
  return rows::scalar<TanhKernel>(x, [](float, double y) { return static_cast<float>(y); });
}

float cr_sinh(float x) { return SinhKernel::scalar(x); }
float cr_cosh(float x) { return CoshKernel::scalar(x); }
float cr_tanh(float x) { return TanhKernel::scalar(x); }

VT_MATH_UNARY_ROWS(sinh, SinhKernel)
VT_MATH_UNARY_ROWS(cosh, CoshKernel)
VT_MATH_UNARY_ROWS(tanh, TanhKernel)

}  // namespace vt::math
