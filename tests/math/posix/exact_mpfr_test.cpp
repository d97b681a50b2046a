// The float remainder and the power's shortcuts (the square, the cube and
// a * sqrt(a) in double) against MPFR (natively only, where MPFR is).
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "formula/value_rules.h"
#include "math/exact.h"

namespace {

float from_bits(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}
bool same(float got, float want) {
  if (std::isnan(want)) return std::isnan(got);
  return std::memcmp(&got, &want, 4) == 0;
}

// MPFR with float's precision and exponent range, subnormals included.
class FloatRange {
 public:
  FloatRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(-148);
    mpfr_set_emax(128);
    mpfr_inits2(24, x_, y_, r_, static_cast<mpfr_ptr>(nullptr));
  }
  ~FloatRange() {
    mpfr_clears(x_, y_, r_, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }
  float cube(float a) {
    mpfr_set_flt(x_, a, MPFR_RNDN);
    return finish(mpfr_pow_ui(r_, x_, 3, MPFR_RNDN));
  }
  float three_halves(float a) {
    mpfr_set_flt(x_, a, MPFR_RNDN);
    mpfr_set_d(y_, 1.5, MPFR_RNDN);
    return finish(mpfr_pow(r_, x_, y_, MPFR_RNDN));
  }
  float square(float a) {
    mpfr_set_flt(x_, a, MPFR_RNDN);
    return finish(mpfr_sqr(r_, x_, MPFR_RNDN));
  }
  float fmod(float a, float b) {
    mpfr_set_flt(x_, a, MPFR_RNDN);
    mpfr_set_flt(y_, b, MPFR_RNDN);
    return finish(mpfr_fmod(r_, x_, y_, MPFR_RNDN));
  }

 private:
  float finish(int t) {
    t = mpfr_check_range(r_, t, MPFR_RNDN);
    mpfr_subnormalize(r_, t, MPFR_RNDN);
    return mpfr_get_flt(r_, MPFR_RNDN);
  }
  mpfr_exp_t emin_, emax_;
  mpfr_t x_, y_, r_;
};

// The engine's limit, +-1e24 (NaN passes).
float limited(float v) { return std::fabs(v) > 1e24f ? std::copysign(1e24f, v) : v; }

// The cube's double product rounds twice; that it still gives the nearest
// float rests on every significand (the binade [1, 2)) and every subnormal
// cube (checked once in full), sampled here, and on a sample of everything else. Squares
// are exact in double.
TEST(ExactAgainstMpfr, PowerShortcutsAreCorrectlyRounded) {
  struct Range {
    std::uint32_t from, to, step;
  };
  const Range ranges[] = {
      {0x3F800000u, 0x40000000u, 61},   // [1, 2): every 61st significand
      {0x26800000u, 0x2A800000u, 251},  // [2^-50, 2^-42): the subnormal cubes
      {0x00000000u, 0xFFFFFFFFu, 4099}, // all patterns, sparsely
  };
  FloatRange mp;
  int wrong = 0;
  for (const Range& r : ranges)
    for (std::uint64_t u = r.from; u < r.to; u += r.step) {
      const float a = from_bits(static_cast<std::uint32_t>(u));
      const float cube = vt::formula::rule_cube(a), square = vt::formula::rule_square(a);
      if ((!same(cube, limited(mp.cube(a))) || !same(square, limited(mp.square(a)))) && ++wrong < 5)
        ADD_FAILURE() << std::hexfloat << a << " cubed " << cube << " want " << mp.cube(a);
      if (a >= 0 && !same(vt::formula::rule_pow_three_halves(a), limited(mp.three_halves(a))) && ++wrong < 5)
        ADD_FAILURE() << std::hexfloat << a << " to the 1.5 gave " << vt::formula::rule_pow_three_halves(a);
    }
  EXPECT_EQ(0, wrong);
}

TEST(ExactAgainstMpfr, FmodOverPatternPairs) {
  FloatRange mp;
  int wrong = 0;
  std::uint32_t a = 1, b = 7;
  for (int i = 0; i < 300000; ++i) {
    a = a * 1664525u + 1013904223u;
    b = b * 22695477u + 1u;
    const float x = from_bits(a), y = from_bits(b);
    if (!same(vt::math::exact_fmod(x, y), mp.fmod(x, y)) && ++wrong < 5)
      ADD_FAILURE() << std::hexfloat << x << " mod " << y << " gave " << vt::math::exact_fmod(x, y);
  }
  EXPECT_EQ(0, wrong);
}

}  // namespace
