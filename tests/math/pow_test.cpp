// pow against C's special cases (IEEE 754 / C99), MPFR's correctly rounded
// values for the exact and halfway results and the edges of the range
// (written down as literals), the C runtime's pow where it decides the
// float rounding, and its row form against the scalar function.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "math/crmath.h"
#include "math/pow_accurate.h"
#include "math/pow_kernel.h"
#include "math/rows.h"
#include "oracle.h"

namespace {

using math_test::float_of;
using math_test::same;
using vt::math::cr_pow;

struct PowCase {
  float x, y, want;
};

const PowCase kSpecial[] = {
    {NAN, 0.0f, 1.0f},          {NAN, -0.0f, 1.0f},       {1.0f, NAN, 1.0f},
    {1.0f, INFINITY, 1.0f},     {1.0f, -INFINITY, 1.0f},  {-1.0f, INFINITY, 1.0f},
    {-1.0f, -INFINITY, 1.0f},   {NAN, 1.0f, NAN},         {2.0f, NAN, NAN},
    {0.5f, INFINITY, 0.0f},     {0.5f, -INFINITY, INFINITY}, {-0.5f, INFINITY, 0.0f},
    {2.0f, INFINITY, INFINITY}, {-2.0f, -INFINITY, 0.0f},
    {0.0f, -3.0f, INFINITY},    {-0.0f, -3.0f, -INFINITY}, {-0.0f, -2.0f, INFINITY},
    {-0.0f, -0.5f, INFINITY},   {-0.0f, -INFINITY, INFINITY}, {0.0f, 3.0f, 0.0f},
    {-0.0f, 3.0f, -0.0f},       {-0.0f, 2.0f, 0.0f},      {-0.0f, 0.5f, 0.0f},
    {-0.0f, INFINITY, 0.0f},    {INFINITY, -1.0f, 0.0f},  {INFINITY, 0.5f, INFINITY},
    {-INFINITY, -3.0f, -0.0f},  {-INFINITY, -2.0f, 0.0f}, {-INFINITY, 3.0f, -INFINITY},
    {-INFINITY, 2.5f, INFINITY},{-2.0f, 0.5f, NAN},       {-2.0f, -1.5f, NAN},
    {-FLT_MAX, 0x1p30f, INFINITY}, {-0.5f, 0x1p30f, 0.0f}, {-2.0f, 0x1p24f + 2, INFINITY},
    {-1.0f, 0x1p24f + 2, 1.0f}, {-1.0f, 0x1.fffffep23f, -1.0f},
};

// Correctly rounded values from MPFR.
const PowCase kKnown[] = {
    // halfway between two floats: ties to even
    {4097.0f, 2.0f, 0x1.002p+24f},          // 4097^2 = 2^24 + 8193
    {66049.0f, 1.5f, 0x1.0303p+24f},        // 257^3
    {257.0f, 3.0f, 0x1.0303p+24f},
    {-4097.0f, 2.0f, 0x1.002p+24f},
    {-257.0f, 3.0f, -0x1.0303p+24f},
    {0x1p-75f, 2.0f, 0.0f},                 // 2^-150: halfway to the least subnormal
    {0x1.8p-74f, 2.0f, 0x1p-147f},          // 9*2^-150 = 4.5 * 2^-149
    {2.0f, -150.0f, 0.0f},
    {0.5f, 150.0f, 0.0f},
    // exact results
    {81.0f, 0.25f, 3.0f},
    {6561.0f, 0.75f, 0x1.6c8p+9f},
    {0x1.fffffep+23f, 2.0f, 0x1.fffffcp+47f},
    {0x1p-126f, 0.5f, 0x1p-63f},
    {3.0f, 15.0f, 0x1.b5e4d6p+23f},
    {3.0f, 16.0f, 0x1.486bap+25f},
    {-3.0f, 15.0f, -0x1.b5e4d6p+23f},
    {2.0f, -149.0f, 0x1p-149f},
    {0.5f, 149.0f, 0x1p-149f},
    // the ends of the range
    {2.0f, 0x1.fffffep+6f, 0x1.ffff4ep+127f},
    {2.0f, 128.0f, INFINITY},
    {10.0f, 38.5f, 0x1.dbce82p+127f},
    {10.0f, -45.0f, 0x1p-149f},
    {-10.0f, -45.0f, -0x1p-149f},
    {-10.0f, -46.0f, 0.0f},
    {0x1.79ca1p-67f, 3.5f, 0.0f},
    {1.5f, -200.0f, 0x1.015594p-117f},
    {0x1.edd2f2p+6f, -18.5f, 0x1.614abp-129f},
    // x next to 1, large y
    {0x1.000002p+0f, 0x1.312dp+23f, 0x1.a5a0bcp+1f},
    {0x1.fffffep-1f, -0x1.7d784p+26f, 0x1.83ca5p+8f},
    // exact odd powers beyond 64 bits: no wrapped integer may pass for them
    {0x1.000002p+24f, 10.0f, INFINITY},
    {-0x1.000002p+24f, 10.0f, INFINITY},
    {-0x1.000002p+24f, 5.0f, -0x1.00000ap+120f},
    // ordinary
    {3.0f, -1.0f, 0x1.555556p-2f},
    {2.5f, 2.5f, 0x1.3c3a4ep+3f},
    {7.0f, 0.5f, 0x1.52a7fap+1f},
};

TEST(MathPow, SpecialCasesAndKnownValues) {
  auto check = [](const PowCase& c) {
    float got = cr_pow(c.x, c.y);
    EXPECT_TRUE(same(got, c.want)) << "pow(" << std::hexfloat << c.x << ", " << c.y << ") = " << got
                                   << ", want " << c.want;
    float row = 0;
    vt::math::cr_pow_rows(&row, &c.x, &c.y, 1);
    EXPECT_TRUE(same(row, c.want)) << "row form of pow(" << std::hexfloat << c.x << ", " << c.y << ")";
  };
  for (const PowCase& c : kSpecial) check(c);
  for (const PowCase& c : kKnown) check(c);
}

// Both evaluations of x^y, the kernel's (2^-58) and the accurate path's
// (2^-96), against powers whose value is an exact double: integers to whole
// and fractional powers, powers of two.
TEST(MathPow, EvaluationsMeetTheirErrorBounds) {
  struct Exact {
    double x, y, value;
  };
  const Exact kExact[] = {
      {3, 15, 14348907.0},  {3, 33, 5559060566555523.0}, {7, 18, 1628413597910449.0}, {10, 15, 1e15},
      {0.5, 100, 0x1p-100}, {6561, 0.75, 729},            {0x1p-60, -1.5, 0x1p90},     {9, 0.5, 3},
      {1.5, 2, 2.25},       {1024, 1, 1024},               {0.25, -7.5, 0x1p15},
  };
  for (const Exact& e : kExact) {
    vt::math::dd::Pair<vt::math::rows::One> kernel = vt::math::pow_parts<vt::math::rows::One>(e.x, e.y).value;
    vt::math::pow_accurate::Dd accurate = vt::math::pow_accurate::power(e.x, e.y);
    EXPECT_LE(std::fabs((kernel.hi - e.value) + kernel.lo), e.value * 0x1p-58) << e.x << "^" << e.y;
    EXPECT_LE(std::fabs((accurate.hi - e.value) + accurate.lo), e.value * 0x1p-96) << e.x << "^" << e.y;
  }
}

// Argument classes: random patterns, x near 1 with large y, whole y with
// negative x, perfect squares to half-integer powers, results near the
// ends of the range.
std::vector<PowCase> pow_inputs(int count) {
  math_test::Random random;
  std::vector<PowCase> v;
  for (int i = 0; i < count; ++i) {
    std::uint32_t a = random.next(), b = random.next();
    float x, y;
    switch (i % 5) {
      case 0: x = float_of(a), y = float_of(b); break;
      case 1: x = float_of(0x3f800000u + a % 2001 - 1000), y = float_of(b & 0xcfffffffu); break;
      case 2: x = -static_cast<float>(a % 5000 + 1), y = static_cast<float>(static_cast<int>(b % 61) - 30); break;
      case 3: {
        float g = static_cast<float>(a % 4096 | 1);
        x = g * g, y = b % 2 ? 1.5f : 0.5f;
        break;
      }
      default:
        x = float_of((a & 0x007fffffu) | 0x3f000000u);
        y = float_of((b & 0x807fffffu) | (0x42000000u + (b >> 29 << 23)));
    }
    v.push_back({x, y, 0.0f});
  }
  return v;
}

TEST(MathPow, AgreesWithRuntimeWhereItDecides) {
  int compared = 0, wrong = 0;
  for (const PowCase& c : pow_inputs(50000)) {
    float want;
    if (!math_test::runtime_decides(std::pow(static_cast<double>(c.x), static_cast<double>(c.y)), &want))
      continue;
    ++compared;
    float got = cr_pow(c.x, c.y);
    if (!same(got, want) && wrong++ < 5)
      ADD_FAILURE() << "pow(" << std::hexfloat << c.x << ", " << c.y << ") = " << got << ", runtime says " << want;
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(compared, 12000);
}

TEST(MathPow, RowsGiveScalarBits) {
  std::vector<PowCase> cases = pow_inputs(4099);
  for (const PowCase& c : kSpecial) cases.push_back(c);
  for (const PowCase& c : kKnown) cases.push_back(c);
  std::vector<float> x, y;
  for (const PowCase& c : cases) x.push_back(c.x), y.push_back(c.y);
  const std::uint32_t n = static_cast<std::uint32_t>(x.size());
  for (int lanes : {8, 4, 2}) {
    vt::math::rows::lanes_allowed() = lanes;
    std::vector<float> out(n + 1, 42.0f);
    vt::math::cr_pow_rows(out.data(), x.data(), y.data(), n);
    std::vector<float> over_x = x;  // the result written over an argument
    vt::math::cr_pow_rows(over_x.data(), over_x.data(), y.data(), n);
    int wrong = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
      float want = cr_pow(x[i], y[i]);
      if ((!same(out[i], want) || !same(over_x[i], want)) && wrong++ < 5)
        ADD_FAILURE() << "row " << i << " (" << lanes << " lanes) pow(" << std::hexfloat << x[i] << ", " << y[i]
                      << "): " << out[i] << " / " << over_x[i] << ", scalar " << want;
    }
    EXPECT_EQ(math_test::bits_of(out[n]), math_test::bits_of(42.0f)) << "wrote past the row's end";
  }
  vt::math::rows::lanes_allowed() = 8;
}

}  // namespace
