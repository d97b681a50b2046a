// exp(x) in double precision for the kernels of exp, sinh, cosh and tanh.
//
// exp(x) = 2^(k/128) * exp(r), k the integer nearest x*128/ln2 and
// r = x - k*ln2/128, so |r| <= ln2/256 < 0.0028. 2^(k/128) is 2^(k>>7)
// times a table entry (rounded to double: relative error <= 2^-53), exp(r)
// is 1 + q with q the Taylor polynomial of degree 5 (truncation below
// 0.0028^6/720 < 2^-60). The result T + T*q then carries at most
// 2^-53 (table) + 2^-53 (last addition) + 2^-61 (the rest) relative error:
// kExpApproxError covers it.
//
// Arguments are clamped to [-150, 100]: exp(-150) is far below half the
// least float and exp(100) far above the largest, while both stay normal
// doubles, so every float argument (NaN excepted, which callers replace)
// goes through the same instructions.
#pragma once

#include "math/rows.h"
#include "math/tables.h"

namespace vt::math {

constexpr double kExpApproxError = 0x1.08p-52;

template <class P>
VT_MATH_INLINE typename P::D exp_approx(typename P::D x) {
  using D = typename P::D;
  using U = typename P::U;
  constexpr double kShifter = 0x1.8p52;  // adding it leaves round(t) in the low bits
  constexpr double kInvStep = 0x1.71547652b82fep+7;  // 128/ln2
  constexpr double kStepHi = 0x1.62e42fefa0000p-8;   // ln2/128, 38 bits: k*kStepHi is exact
  constexpr double kStepLo = 0x1.cf79abc9e3b3ap-47;  // ln2/128 - kStepHi
  x = x < 100.0 ? x : P::splat(100.0);  // NaN goes to 100 here as well
  x = x > -150.0 ? x : P::splat(-150.0);
  D shifted = x * kInvStep + kShifter;
  D k = shifted - kShifter;
  U kbits = P::bits(shifted) - P::bits(P::splat(kShifter));  // k, two's complement
  D r = (x - k * kStepHi) - k * kStepLo;
  D q = r * (1.0 + r * (0.5 + r * (0x1.5555555555555p-3 + r * (0x1.5555555555555p-5 +
                                                                r * 0x1.1111111111111p-7))));
  // 2^(k>>7) goes straight into the exponent field of the table entry.
  U scale = (kbits & ~std::uint64_t{127}) << 45;
  D t = P::from_bits(P::bits(P::gather(tables::exp2_frac, kbits & std::uint64_t{127})) + scale);
  return t + t * q;
}

}  // namespace vt::math
