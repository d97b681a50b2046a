// Kernel of exp (see rows.h): exp_approx and the rounding test.
#pragma once

#include "math/exp_core.h"

namespace vt::math {

struct ExpKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    typename P::D y = exp_approx<P>(x);
    typename P::D err = y * kExpApproxError;
    hard |= rows::ambiguous<P>(y - err, y + err);
    return P::select(x != x, x + x, y);  // NaN in, NaN out
  }
  static float scalar(float x);
};

}  // namespace vt::math
