// The row forms on eight lanes, from the same kernels as the SSE2 and AVX2
// ones. This file alone is compiled for AVX-512 (CMakeLists.txt): GCC fixes
// the form of a vector comparison in the function that spells it, so the
// kernels' comparisons become mask instructions only when the kernels
// themselves are compiled for AVX-512, not when they are merely inlined
// into a function that is.
//
// Nothing here may define an inline function or template that another file
// instantiates too: the linker would keep one copy of it, possibly this
// one, with instructions a processor without AVX-512 lacks. The kernels'
// instantiations on Pack<8> exist only here, and their scalar fallbacks are
// defined out of line in the functions' own files.
#include "math/rows.h"

#if VT_MATH_HAVE_AVX2_ROWS

#include "math/hyperbolic_kernel.h"
#include "math/quick_kernels.h"
#include "math/trig_row_kernels.h"

namespace vt::math::avx512 {

#define VT_MATH_EIGHT_LANES(name, Kernel)                             \
  void name##_rows(float* out, const float* in, std::uint32_t n) {    \
    rows::unary<Kernel, rows::Pack<8>>(out, in, n);                   \
  }
VT_MATH_EIGHT_LANES(log, LogQuickKernel)
VT_MATH_EIGHT_LANES(exp, ExpQuickKernel)
VT_MATH_EIGHT_LANES(sinh, SinhKernel)
VT_MATH_EIGHT_LANES(cosh, CoshKernel)
VT_MATH_EIGHT_LANES(tanh, TanhKernel)
VT_MATH_EIGHT_LANES(sin, SinKernel)
VT_MATH_EIGHT_LANES(cos, CosKernel)
VT_MATH_EIGHT_LANES(tan, TanKernel)
VT_MATH_EIGHT_LANES(atan, AtanKernel)
VT_MATH_EIGHT_LANES(asin, AsinKernel)
VT_MATH_EIGHT_LANES(acos, AcosKernel)
#undef VT_MATH_EIGHT_LANES

void pow_rows(float* out, const float* x, const float* y, std::uint32_t n) {
  rows::binary<PowQuickKernel, rows::Pack<8>>(out, x, y, n);
}

}  // namespace vt::math::avx512

#endif
