// The remainder of floats, computed by the library itself: it is exact for
// every pair of floats, so it needs no C runtime function.
#pragma once

namespace vt::math {

// x - n*y for n = x/y truncated toward zero, exact for every float pair, as
// the C library's fmod. NaN when x is infinite, y is 0, or either is NaN;
// x itself when |x| < |y| (y infinite included).
float exact_fmod(float x, float y);

}  // namespace vt::math
