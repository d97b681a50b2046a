// Natural logarithm for floats, correctly rounded (kernel in log_kernel.h).
#include "math/crmath.h"
#include "math/exceptions.h"
#include "math/log_kernel.h"
#include "math/quick_kernels.h"

namespace vt::math {

namespace {

const HardCase kLogHardCases[] = {
#include "math/log_hard_cases.inc"
};

float log_slow(float x, double approx) {
  if (x != x) return x + x;
  if (x == 0.0f) return -__builtin_inff();
  if (x < 0.0f) {
    float zero = x - x;  // the processor's default NaN, as its own invalid operations give
    return zero / zero;
  }
  if (x == __builtin_inff()) return x;
  return listed_or(kLogHardCases, x, approx);
}

}  // namespace

float LogKernel::scalar(float x) { return rows::scalar<LogKernel>(x, log_slow); }

float LogQuickKernel::scalar(float x) {
  return rows::scalar<LogQuickKernel>(x, [](float a, double) { return LogKernel::scalar(a); });
}

float cr_log(float x) { return LogQuickKernel::scalar(x); }

VT_MATH_UNARY_ROWS(log, LogQuickKernel)

}  // namespace vt::math
