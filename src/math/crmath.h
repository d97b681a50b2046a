// The formula engine's single-precision math functions, correctly rounded:
// for every float argument the result is the float nearest the exact value
// (ties to even), the same bits in every build, whatever C runtime the build
// links. Special values follow the C library's float functions (IEEE 754):
// NaN in gives NaN out; an invalid argument (ln of a negative number,
// acos(2), a negative base to a fractional power) gives NaN; overflow gives
// an infinity, ln(0) minus infinity. The engine's own NaN and limit rules
// are applied on top of these by the formula engine (formula/value_rules.h).
//
// Each function has a row form for the column loops: out[i] = f(in[i]) for
// i < n, the same bits as the scalar function, with SIMD where the
// processor has it. out and in may be the same array.
#pragma once

#include <cstdint>

namespace vt::math {

float cr_log(float x);
float cr_exp(float x);
float cr_sqrt(float x);
float cr_sinh(float x);
float cr_cosh(float x);
float cr_tanh(float x);
float cr_sin(float x);
float cr_cos(float x);
float cr_tan(float x);
float cr_atan(float x);
float cr_asin(float x);
float cr_acos(float x);
float cr_pow(float x, float y);

using RowsFn = void (*)(float* out, const float* in, std::uint32_t n);
void cr_log_rows(float* out, const float* in, std::uint32_t n);
void cr_exp_rows(float* out, const float* in, std::uint32_t n);
void cr_sqrt_rows(float* out, const float* in, std::uint32_t n);
void cr_sinh_rows(float* out, const float* in, std::uint32_t n);
void cr_cosh_rows(float* out, const float* in, std::uint32_t n);
void cr_tanh_rows(float* out, const float* in, std::uint32_t n);
void cr_sin_rows(float* out, const float* in, std::uint32_t n);
void cr_cos_rows(float* out, const float* in, std::uint32_t n);
void cr_tan_rows(float* out, const float* in, std::uint32_t n);
void cr_atan_rows(float* out, const float* in, std::uint32_t n);
void cr_asin_rows(float* out, const float* in, std::uint32_t n);
void cr_acos_rows(float* out, const float* in, std::uint32_t n);
void cr_pow_rows(float* out, const float* x, const float* y, std::uint32_t n);

}  // namespace vt::math
