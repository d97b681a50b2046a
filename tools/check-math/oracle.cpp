#include "oracle.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace checkmath {

std::uint32_t bits_of(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

float float_of(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

bool same_result(float got, float want) {
  if (std::isnan(want)) return std::isnan(got);
  return bits_of(got) == bits_of(want);
}

bool missed(float got, float row, float want, float* shown) {
  if (!same_result(got, want)) {
    *shown = got;
    return true;
  }
  *shown = row;
  return !same_result(row, want);
}

bool round_clear(double d, float* out) {
  if (std::isnan(d) || std::isinf(d)) {
    // NaN and the infinities the double function gives (ln 0, or a double
    // overflow) are exact answers, the same in float.
    *out = static_cast<float>(d);
    return true;
  }
  const float f = static_cast<float>(d);  // nearest, ties to even
  const double a = std::fabs(d);
  // The rounding boundaries around |f|: the midpoints to its neighbours,
  // where 2^128 stands for the float after FLT_MAX (values from the midpoint
  // to it on round to infinity). Every such midpoint is a double exactly.
  double lower, upper;
  if (std::isinf(f)) {
    lower = (static_cast<double>(FLT_MAX) + 0x1p128) / 2;
    upper = INFINITY;
  } else {
    const float m = std::fabs(f);
    const double next = m == FLT_MAX ? 0x1p128 : static_cast<double>(std::nextafter(m, INFINITY));
    const double prev = m == 0 ? -0x1p-149 : static_cast<double>(std::nextafter(m, 0.0f));
    upper = (static_cast<double>(m) + next) / 2;
    lower = (static_cast<double>(m) + prev) / 2;
  }
  const double margin = a * kLibcRelativeError;
  if (a - lower <= margin || upper - a <= margin) return false;
  *out = f;
  return true;
}

Oracle::Oracle() {
  // Float's range in MPFR's terms (significand in [1/2, 1)): the smallest
  // subnormal 2^-149 is 1/2 * 2^-148, the largest float below 2^128.
  mpfr_set_emin(-148);
  mpfr_set_emax(128);
  mpfr_init2(in_x_, 24);
  mpfr_init2(in_y_, 24);
  mpfr_init2(out_, 24);
  mpfr_init2(wide_, 96);
}

Oracle::~Oracle() {
  mpfr_clears(in_x_, in_y_, out_, wide_, static_cast<mpfr_ptr>(nullptr));
}

float Oracle::round_result(int ternary) {
  ternary = mpfr_check_range(out_, ternary, MPFR_RNDN);
  mpfr_subnormalize(out_, ternary, MPFR_RNDN);
  return mpfr_get_flt(out_, MPFR_RNDN);
}

float Oracle::unary(const Unary& f, float x, bool* hard) {
  float r;
  *hard = !round_clear(f.libc(x), &r);
  if (!*hard) return r;
  mpfr_set_flt(in_x_, x, MPFR_RNDN);
  return round_result(f.exact(out_, in_x_, MPFR_RNDN));
}

float Oracle::binary(const Binary& f, float x, float y, bool* hard) {
  float r;
  *hard = !round_clear(f.libc(x, y), &r);
  if (!*hard) return r;
  mpfr_set_flt(in_x_, x, MPFR_RNDN);
  mpfr_set_flt(in_y_, y, MPFR_RNDN);
  return round_result(f.exact(out_, in_x_, in_y_, MPFR_RNDN));
}

// Computed in MPFR's full exponent range, so that a value beyond float's
// range is shown as it is; the float range is restored after.
template <class Compute>
std::string Oracle::wide_text(Compute compute) {
  mpfr_set_emin(mpfr_get_emin_min());
  mpfr_set_emax(mpfr_get_emax_max());
  compute();
  char* s = nullptr;
  mpfr_asprintf(&s, "%.24Re", wide_);
  std::string text = s ? s : "?";
  mpfr_free_str(s);
  mpfr_set_emin(-148);
  mpfr_set_emax(128);
  return text;
}

std::string Oracle::exact_text(const Unary& f, float x) {
  return wide_text([&] {
    mpfr_set_flt(in_x_, x, MPFR_RNDN);
    f.exact(wide_, in_x_, MPFR_RNDN);
  });
}

std::string Oracle::exact_text(const Binary& f, float x, float y) {
  return wide_text([&] {
    mpfr_set_flt(in_x_, x, MPFR_RNDN);
    mpfr_set_flt(in_y_, y, MPFR_RNDN);
    f.exact(wide_, in_x_, in_y_, MPFR_RNDN);
  });
}

}  // namespace checkmath
