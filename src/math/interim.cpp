// Stand-ins over the C runtime's double functions, each rounded once to
// single precision, for the functions whose own implementation has not
// landed yet. A function leaves this file when its own file arrives.
#include <cmath>

#include "math/crmath.h"

namespace vt::math {

#define VT_INTERIM_UNARY(name, libm)                                      \
  float cr_##name(float x) { return static_cast<float>(libm(static_cast<double>(x))); } \
  void cr_##name##_rows(float* out, const float* in, std::uint32_t n) {   \
    for (std::uint32_t i = 0; i < n; ++i) out[i] = cr_##name(in[i]);     \
  }

VT_INTERIM_UNARY(sin, std::sin)
VT_INTERIM_UNARY(cos, std::cos)
VT_INTERIM_UNARY(tan, std::tan)
VT_INTERIM_UNARY(atan, std::atan)
VT_INTERIM_UNARY(asin, std::asin)
VT_INTERIM_UNARY(acos, std::acos)


}  // namespace vt::math
