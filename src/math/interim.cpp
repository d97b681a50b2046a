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

VT_INTERIM_UNARY(log, std::log)
VT_INTERIM_UNARY(exp, std::exp)
VT_INTERIM_UNARY(sqrt, std::sqrt)
VT_INTERIM_UNARY(sinh, std::sinh)
VT_INTERIM_UNARY(cosh, std::cosh)
VT_INTERIM_UNARY(tanh, std::tanh)
VT_INTERIM_UNARY(sin, std::sin)
VT_INTERIM_UNARY(cos, std::cos)
VT_INTERIM_UNARY(tan, std::tan)
VT_INTERIM_UNARY(atan, std::atan)
VT_INTERIM_UNARY(asin, std::asin)
VT_INTERIM_UNARY(acos, std::acos)

float cr_pow(float x, float y) { return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(y))); }
void cr_pow_rows(float* out, const float* x, const float* y, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n; ++i) out[i] = cr_pow(x[i], y[i]);
}

}  // namespace vt::math
