// The one-argument functions log, exp, sqrt, sinh, cosh and tanh against
// three oracles: MPFR's correctly rounded values written down as literals
// (the edges: overflow and underflow thresholds, the hard cases), the C
// runtime's double function where its result lies so far from a rounding
// boundary of floats that its few-ulp error cannot matter, and the
// special values of IEEE 754. Then the row forms against the scalar
// functions, in every loop width the processor has.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "math/crmath.h"
#include "math/rows.h"
#include "oracle.h"

namespace {

using math_test::bits_of;
using math_test::float_of;
using math_test::runtime_decides;
using math_test::same;
using vt::math::RowsFn;

struct Unary {
  const char* name;
  float (*scalar)(float);
  RowsFn rows;
  double (*runtime)(double);
};

double runtime_sqrt(double x) { return std::sqrt(x); }

const Unary kFunctions[] = {
    {"log", vt::math::cr_log, vt::math::cr_log_rows, [](double x) { return std::log(x); }},
    {"exp", vt::math::cr_exp, vt::math::cr_exp_rows, [](double x) { return std::exp(x); }},
    {"sqrt", vt::math::cr_sqrt, vt::math::cr_sqrt_rows, runtime_sqrt},
    {"sinh", vt::math::cr_sinh, vt::math::cr_sinh_rows, [](double x) { return std::sinh(x); }},
    {"cosh", vt::math::cr_cosh, vt::math::cr_cosh_rows, [](double x) { return std::cosh(x); }},
    {"tanh", vt::math::cr_tanh, vt::math::cr_tanh_rows, [](double x) { return std::tanh(x); }},
};

const Unary& function(const std::string& name) {
  for (const Unary& f : kFunctions)
    if (name == f.name) return f;
  ADD_FAILURE() << "no function " << name;
  return kFunctions[0];
}

struct Case {
  const char* name;
  float x;
  float want;
};

// Correctly rounded values from MPFR (and IEEE 754's special values).
const Case kKnown[] = {
    // exp: the last finite result and the first overflow, the last nonzero
    // result and the first zero, the first normal result, ties near 1.
    {"exp", 0x1.62e42ep+6f, 0x1.ffff08p+127f},
    {"exp", 0x1.62e43p+6f, INFINITY},
    {"exp", -0x1.9fe36ap+6f, 0.0f},
    {"exp", -0x1.9fe366p+6f, 0x1p-149f},
    {"exp", -0x1.5d589ep+6f, 0x1.00004cp-126f},
    {"exp", 1.0f, 0x1.5bf0a8p+1f},
    {"exp", -1.0f, 0x1.78b564p-2f},
    {"exp", 0x1p-25f, 1.0f},
    {"exp", -0x1p-25f, 1.0f},
    {"exp", 0.0f, 1.0f},
    {"exp", -0.0f, 1.0f},
    {"exp", INFINITY, INFINITY},
    {"exp", -INFINITY, 0.0f},
    {"exp", FLT_MAX, INFINITY},
    {"exp", -FLT_MAX, 0.0f},
    {"exp", 0x1p-149f, 1.0f},
    {"exp", NAN, NAN},
    // exp: arguments its kernel cannot decide
    {"exp", -0x1.e1dbe2p-8f, 0x1.fc3fd2p-1f},
    {"exp", -0x1.d2259ap+3f, 0x1.fa6636p-22f},
    // log
    {"log", 2.0f, 0x1.62e43p-1f},
    {"log", FLT_MAX, 0x1.62e43p+6f},
    {"log", 0x1p-149f, -0x1.9d1dap+6f},
    {"log", 0x1p-126f, -0x1.5d58ap+6f},
    {"log", 0x1.fffffep-1f, -0x1p-24f},
    {"log", 0x1.000002p+0f, 0x1.fffffep-24f},
    {"log", 10.0f, 0x1.26bb1cp+1f},
    {"log", 1.0f, 0.0f},
    {"log", 0.0f, -INFINITY},
    {"log", -0.0f, -INFINITY},
    {"log", -1.0f, NAN},
    {"log", -0x1p-149f, NAN},
    {"log", INFINITY, INFINITY},
    {"log", -INFINITY, NAN},
    {"log", NAN, NAN},
    {"log", 0x1.917748p-100f, -0x1.137588p+6f},  // hard cases
    {"log", 0x1.390ffp-93f, -0x1.010bbep+6f},
    // sqrt
    {"sqrt", 2.0f, 0x1.6a09e6p+0f},
    {"sqrt", 0x1p-149f, 0x1.6a09e6p-75f},
    {"sqrt", FLT_MAX, 0x1.fffffep+63f},
    {"sqrt", 0.0f, 0.0f},
    {"sqrt", -0.0f, -0.0f},
    {"sqrt", -1.0f, NAN},
    {"sqrt", INFINITY, INFINITY},
    {"sqrt", -INFINITY, NAN},
    {"sqrt", 9.0f, 3.0f},
    // sinh: overflow threshold, both sides of the polynomial's bound
    {"sinh", 0x1.65a9f8p+6f, 0x1.ffffd8p+127f},
    {"sinh", 0x1.65a9fap+6f, INFINITY},
    {"sinh", -0x1.65a9fap+6f, -INFINITY},
    {"sinh", 0.5f, 0x1.0acdp-1f},
    {"sinh", 0x1.fffffep-2f, 0x1.0acdp-1f},
    {"sinh", -1.0f, -0x1.2cd9fcp+0f},
    {"sinh", 0x1p-12f, 0x1p-12f},
    {"sinh", 0x1p-149f, 0x1p-149f},
    {"sinh", -0.0f, -0.0f},
    {"sinh", 0.0f, 0.0f},
    {"sinh", -INFINITY, -INFINITY},
    {"sinh", FLT_MAX, INFINITY},
    {"sinh", NAN, NAN},
    // cosh
    {"cosh", 0x1.65a9f8p+6f, 0x1.ffffd8p+127f},
    {"cosh", 0x1.65a9fap+6f, INFINITY},
    {"cosh", -0x1.65a9fap+6f, INFINITY},
    {"cosh", 1.0f, 0x1.8b0756p+0f},
    {"cosh", 0x1p-12f, 1.0f},
    {"cosh", -0.5f, 0x1.20ac18p+0f},
    {"cosh", -0.0f, 1.0f},
    {"cosh", -INFINITY, INFINITY},
    {"cosh", NAN, NAN},
    // tanh
    {"tanh", 0.5f, 0x1.d9353ep-2f},
    {"tanh", 0x1.fffffep-2f, 0x1.d9353cp-2f},
    {"tanh", -1.0f, -0x1.85efacp-1f},
    {"tanh", 9.0f, 0x1.fffffep-1f},
    {"tanh", 0x1.233334p+3f, 1.0f},
    {"tanh", 0x1p-12f, 0x1p-12f},
    {"tanh", -0x1p-149f, -0x1p-149f},
    {"tanh", -0.0f, -0.0f},
    {"tanh", INFINITY, 1.0f},
    {"tanh", -INFINITY, -1.0f},
    {"tanh", -FLT_MAX, -1.0f},
    {"tanh", NAN, NAN},
};

TEST(MathUnary, KnownValues) {
  for (const Case& c : kKnown) {
    const Unary& f = function(c.name);
    float got = f.scalar(c.x);
    EXPECT_TRUE(same(got, c.want)) << c.name << "(" << std::hexfloat << c.x << ") = " << got
                                   << ", want " << c.want;
    float row = 0;
    f.rows(&row, &c.x, 1);
    EXPECT_TRUE(same(row, c.want)) << c.name << " row form at " << std::hexfloat << c.x;
  }
}

TEST(MathUnary, AgreesWithRuntimeWhereItDecides) {
  constexpr std::uint32_t kStride = 65521;  // prime: every exponent, both signs
  for (const Unary& f : kFunctions) {
    int compared = 0, wrong = 0;
    for (std::uint64_t b = 0; b < (1ull << 32); b += kStride) {
      float x = float_of(static_cast<std::uint32_t>(b));
      float want;
      if (x != x || !runtime_decides(f.runtime(x), &want)) continue;
      ++compared;
      float got = f.scalar(x);
      if (!same(got, want) && wrong++ < 5)
        ADD_FAILURE() << f.name << "(" << std::hexfloat << x << ") = " << got << ", runtime says " << want;
    }
    EXPECT_EQ(wrong, 0) << f.name;
    EXPECT_GT(compared, 4000) << f.name;
  }
}

// Rows give the scalar bits lane by lane: random patterns, the special
// values, lengths that leave a tail, and the output written over the input.
std::vector<float> row_inputs() {
  std::vector<float> v = {NAN, -NAN, INFINITY, -INFINITY, 0.0f, -0.0f, 1.0f, -1.0f, FLT_MAX, -FLT_MAX,
                          FLT_MIN, 0x1p-149f, -0x1p-149f, 0.5f, 0x1.fffffep-2f, 88.7f, 89.5f, -104.0f,
                          -0x1.e1dbe2p-8f, -0x1.d2259ap+3f, 0x1.917748p-100f};
  math_test::Random random;
  while (v.size() < 4099) {
    std::uint32_t r = random.next();
    // half of them from the interesting range 2^-15 <= |x| < 128
    v.push_back(v.size() % 2 ? float_of(r) : float_of((r & 0x807fffffu) | (112 + (r >> 24) % 23) << 23));
  }
  return v;
}

TEST(MathUnary, RowsGiveScalarBits) {
  const std::vector<float> in = row_inputs();
  for (int lanes : {8, 4, 2}) {
    vt::math::rows::lanes_allowed() = lanes;
    for (const Unary& f : kFunctions) {
      for (std::uint32_t n : {0u, 1u, 3u, 4u, 7u, 8u, 9u, 15u, static_cast<std::uint32_t>(in.size())}) {
        std::vector<float> out(n + 1, 42.0f);
        f.rows(out.data(), in.data(), n);
        std::vector<float> inplace(in.begin(), in.begin() + n);
        f.rows(inplace.data(), inplace.data(), n);
        int wrong = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
          float want = f.scalar(in[i]);
          if ((!same(out[i], want) || !same(inplace[i], want)) && wrong++ < 5)
            ADD_FAILURE() << f.name << " row " << i << " of " << n << " (" << lanes << " lanes) at "
                          << std::hexfloat << in[i] << ": " << out[i] << " / " << inplace[i] << ", scalar "
                          << want;
        }
        EXPECT_EQ(bits_of(out[n]), bits_of(42.0f)) << f.name << ": wrote past the row's end";
      }
    }
  }
  vt::math::rows::lanes_allowed() = 8;
}

}  // namespace
