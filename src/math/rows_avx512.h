// The row forms on eight lanes (AVX-512), in rows_avx512.cpp: the x86-64
// builds outside Windows call them where the processor has AVX-512F and DQ.
#pragma once

#include <cstdint>

namespace vt::math::avx512 {

void log_rows(float* out, const float* in, std::uint32_t n);
void exp_rows(float* out, const float* in, std::uint32_t n);
void sinh_rows(float* out, const float* in, std::uint32_t n);
void cosh_rows(float* out, const float* in, std::uint32_t n);
void tanh_rows(float* out, const float* in, std::uint32_t n);
void sin_rows(float* out, const float* in, std::uint32_t n);
void cos_rows(float* out, const float* in, std::uint32_t n);
void tan_rows(float* out, const float* in, std::uint32_t n);
void atan_rows(float* out, const float* in, std::uint32_t n);
void asin_rows(float* out, const float* in, std::uint32_t n);
void acos_rows(float* out, const float* in, std::uint32_t n);
void pow_rows(float* out, const float* x, const float* y, std::uint32_t n);

}  // namespace vt::math::avx512
