// Kernel of log (see rows.h).
//
// x = 2^e * m, m in [1, 2). The top 8 bits of m pick a bucket with a short
// reciprocal c of its middle (tables.h), so r = m*c - 1 is exact and
// |r| <= 2^-8, and
//   log(x) = (e + shift)*ln2 + tail + log1p(r)
// with tail = -log(c) - shift*ln2 from the table. log1p(r) is its Taylor
// polynomial of degree 7 (truncation below |r|*2^-59). The buckets next to
// 1 and 2 take c = 1 and c = 1/2, so for x near 1 the sum holds no large
// terms that cancel. Rounding errors: the table's tail and the sum s of the
// first two terms are each off by at most 2^-53 of |s|, the last addition by
// 2^-53 of the result; the rounding test allows for both.
//
// Zero, negative numbers, infinity and NaN are flagged hard: the scalar
// function answers them.
#pragma once

#include "math/rows.h"
#include "math/tables.h"

namespace vt::math {

struct LogKernel {
  template <class P>
  static VT_MATH_INLINE typename P::D eval(typename P::D x, typename P::M& hard) {
    using D = typename P::D;
    using U = typename P::U;
    constexpr double kShifter = 0x1.8p52;
    constexpr double kLn2Hi = 0x1.62e42fefa3a00p-1;  // 44 bits: e*kLn2Hi is exact
    constexpr double kLn2Lo = -0x1.0ca86c3898d00p-49;
    hard |= rows::outside<P>(x, 0.0, __builtin_inf());
    // Outside the kernel's domain the argument becomes 1, keeping the
    // table index in range; those lanes are recomputed anyway.
    x = P::select(hard, P::splat(1.0), x);
    U xb = P::bits(x);
    U row = ((xb >> 44) & std::uint64_t{255}) * 3;
    D c = P::gather(&tables::log_bucket[0][0], row);
    D tail = P::gather(&tables::log_bucket[0][1], row);
    D shift = P::gather(&tables::log_bucket[0][2], row);
    // exponent as a double: the biased exponent into the low bits of 1.5*2^52
    D e = (P::from_bits(P::bits(P::splat(kShifter)) + (xb >> 52)) - (kShifter + 1023.0)) + shift;
    D m = P::from_bits((xb & 0x000fffffffffffffull) | 0x3ff0000000000000ull);
    D r = m * c - 1.0;
    D r2 = r * r;
    D p = r + r2 * (-0.5 + r * (0x1.5555555555555p-2 + r * (-0.25 + r * (0x1.999999999999ap-3 +
                                                                         r * (-0x1.5555555555555p-3 +
                                                                              r * 0x1.2492492492492p-3)))));
    D s = e * kLn2Hi + tail;
    D y = s + (p + e * kLn2Lo);
    D err = (P::abs(s) + P::abs(y)) * 0x1.2p-52;
    hard |= rows::ambiguous<P>(y - err, y + err);
    return y;
  }
  static float scalar(float x);
};

}  // namespace vt::math
