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

// The quick stage on one lane, its range test branching first.
float cr_exp(float x) {
  if constexpr (rows::kScalarOnPacks)
    return rows::scalar<ExpQuickKernel>(x, [](float a, double) { return ExpKernel::scalar(a); });
  if (__builtin_expect(x > quick::kExpLow && x < quick::kExpHigh, 1)) {
    const double y = quick::exp_core<rows::One>(x);
    if (__builtin_expect(!rows::near_float_middle<rows::One, quick::kExpUlps>(y), 1)) return static_cast<float>(y);
  }
  return ExpKernel::scalar(x);
}

float ExpQuickKernel::scalar(float x) { return cr_exp(x); }

VT_MATH_UNARY_ROWS(exp, ExpQuickKernel)

}  // namespace vt::math
