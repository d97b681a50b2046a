// Square root: the processor's instruction, which IEEE 754 requires to be
// correctly rounded (a negative argument gives the default NaN, -0 gives
// -0). Called through the intrinsic so that no build turns it into a C
// runtime call for the sake of errno.
#include <immintrin.h>

#include "math/crmath.h"
#include "math/rows.h"

namespace vt::math {

float cr_sqrt(float x) { return _mm_cvtss_f32(_mm_sqrt_ss(_mm_set_ss(x))); }

namespace {

void sqrt_rows_sse2(float* out, const float* in, std::uint32_t n) {
  std::uint32_t i = 0;
  for (; i + 4 <= n; i += 4) _mm_storeu_ps(out + i, _mm_sqrt_ps(_mm_loadu_ps(in + i)));
  for (; i < n; ++i) out[i] = cr_sqrt(in[i]);
}

#if VT_MATH_HAVE_AVX2_ROWS
__attribute__((target("avx2"))) void sqrt_rows_avx2(float* out, const float* in, std::uint32_t n) {
  std::uint32_t i = 0;
  for (; i + 8 <= n; i += 8) _mm256_storeu_ps(out + i, _mm256_sqrt_ps(_mm256_loadu_ps(in + i)));
  sqrt_rows_sse2(out + i, in + i, n - i);
}
#endif

}  // namespace

void cr_sqrt_rows(float* out, const float* in, std::uint32_t n) {
#if VT_MATH_HAVE_AVX2_ROWS
  if (rows::have_avx2()) return sqrt_rows_avx2(out, in, n);
#endif
  sqrt_rows_sse2(out, in, n);
}

}  // namespace vt::math
