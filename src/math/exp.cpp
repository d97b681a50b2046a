// exp(x) for floats, correctly rounded (kernel in exp_kernel.h).
#include "math/crmath.h"
#include "math/exceptions.h"
#include "math/exp_kernel.h"
#include "math/quick_kernels.h"

namespace vt::math {

namespace {

const HardCase kExpHardCases[] = {
#include "math/exp_hard_cases.inc"
};

}  // namespace

float ExpKernel::scalar(float x) {
  return rows::scalar<ExpKernel>(x, [](float a, double y) { return listed_or(kExpHardCases, a, y); });
}

float ExpQuickKernel::scalar(float x) {
  return rows::scalar<ExpQuickKernel>(x, [](float a, double) { return ExpKernel::scalar(a); });
}

float cr_exp(float x) { return ExpQuickKernel::scalar(x); }

VT_MATH_UNARY_ROWS(exp, ExpQuickKernel)

}  // namespace vt::math
