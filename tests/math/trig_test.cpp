// sin, cos, tan, atan, asin, acos: values against an exact reference
// (worked out at 300 bits and rounded to nearest, ties to even), special
// values, symmetry, agreement with the C runtime's double functions where
// those are accurate enough to decide the rounding, and row forms against
// the scalar functions bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "math/crmath.h"
#include "oracle.h"

namespace {

using vt::math::RowsFn;

using math_test::bits_of;
using math_test::float_of;
using math_test::same;

struct Fn {
  const char* name;
  float (*scalar)(float);
  RowsFn rows;
  double (*runtime)(double);
  double runtime_limit;  // |x| up to which the C runtime decides our rounding
  int parity;            // f(-x) = parity * f(x); 0: neither
};

const Fn kFns[] = {
    {"sin", vt::math::cr_sin, vt::math::cr_sin_rows, [](double v) { return std::sin(v); }, 1e5, -1},
    {"cos", vt::math::cr_cos, vt::math::cr_cos_rows, [](double v) { return std::cos(v); }, 1e5, 1},
    {"tan", vt::math::cr_tan, vt::math::cr_tan_rows, [](double v) { return std::tan(v); }, 1e5, -1},
    {"atan", vt::math::cr_atan, vt::math::cr_atan_rows, [](double v) { return std::atan(v); }, 1e39, -1},
    {"asin", vt::math::cr_asin, vt::math::cr_asin_rows, [](double v) { return std::asin(v); }, 1, -1},
    {"acos", vt::math::cr_acos, vt::math::cr_acos_rows, [](double v) { return std::acos(v); }, 1, 0},
};

const Fn& fn(const char* name) {
  for (const Fn& f : kFns)
    if (std::strcmp(f.name, name) == 0) return f;
  std::abort();
}

// splitmix64: a reproducible stream of float bit patterns.
struct Patterns {
  std::uint64_t s;
  std::uint32_t next() {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }
};

TEST(Trig, ExactReferenceValues) {
  struct Case {
    const char* fn;
    std::uint32_t x, want;
  };
  const Case cases[] = {
      {"sin", 0x4C7EC180u, 0x3BE6FFEFu},  // sin(66782720) = 0.00704955286342
      {"sin", 0x5F000000u, 0x3F7FFB70u},  // sin(2^63) = 0.999930376673
      {"sin", 0x7F7FFFFFu, 0xBF0599B3u},  // sin(FLT_MAX) = -0.521876523334
      {"sin", 0x40490FDBu, 0xB3BBBD2Eu},  // sin(float pi) = -8.74227800037e-8
      {"sin", 0x64078678u, 0xBF3BECC4u},  // sin(1e22) = -0.734081535296
      {"sin", 0xC0400000u, 0xBE1081C3u},  // sin(-3) = -0.14112000806
      {"sin", 0x5922AA80u, 0xBF587522u},  // sin(2861650809978880) = -0.845537281801
      {"cos", 0x3FC90FDBu, 0xB33BBD2Eu},  // cos(float pi/2) = -4.37113900019e-8
      {"cos", 0x64078678u, 0x3F2DD6F7u},  // cos(1e22) = 0.679061337095
      {"cos", 0x71800000u, 0x3EFA75A0u},  // cos(2^100) = 0.489178656975
      {"cos", 0xBF000000u, 0x3F60A940u},  // cos(-0.5) = 0.87758256189
      {"cos", 0x7F7FFFFFu, 0x3F5A5F96u},  // cos(FLT_MAX) = 0.85302103983
      {"tan", 0x3FC90FDBu, 0xCBAE8A4Au},  // tan(float pi/2) = -22877332.4289
      {"tan", 0x3FC90FDAu, 0x4B4A1BDAu},  // tan(float below pi/2) = 13245401.6069
      {"tan", 0x501502F9u, 0xBF0EF000u},  // tan(1e10) = -0.558349637811
      {"tan", 0xBF400000u, 0xBF6E7D1Bu},  // tan(-0.75) = -0.931596459944
      {"tan", 0x7F7FFFFFu, 0xBF1C9ECAu},  // tan(FLT_MAX) = -0.611797949834
      {"atan", 0x3F800000u, 0x3F490FDBu},  // atan(1) = 0.785398163397
      {"atan", 0xD0DF8476u, 0xBFC90FDBu},  // atan(-3e10) = -1.57079632676
      {"atan", 0x3DCCCCCDu, 0x3DCC1F14u},  // atan(0.1) = 0.0996686539665
      {"atan", 0x4C800000u, 0x3FC90FDBu},  // atan(2^26) = 1.57079631189
      {"asin", 0x3F000000u, 0x3F060A92u},  // asin(0.5) = 0.523598775598
      {"asin", 0xBF7FFFFFu, 0xBFC9048Au},  // asin(-1 + 2^-24) = -1.57045105981
      {"asin", 0x3A83126Fu, 0x3A831270u},  // asin(0.001) = 0.00100000021416
      {"acos", 0x3F000000u, 0x3F860A92u},  // acos(0.5) = 1.0471975512
      {"acos", 0xBF7FFFFFu, 0x40490A32u},  // acos(-1 + 2^-24) = 3.14124738661
      {"acos", 0x3F7FFFFFu, 0x39B504F3u},  // acos(1 - 2^-24) = 0.000345266984716
      {"acos", 0xBF000000u, 0x40060A92u},  // acos(-0.5) = 2.09439510239
      {"acos", 0x3A83126Fu, 0x3FC8EF16u},  // acos(0.001) = 1.56979632658
#include "trig_hard_cases.inc"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bits_of(fn(c.fn).scalar(float_of(c.x))), c.want) << c.fn << "(" << float_of(c.x) << ")";
  }
}

TEST(Trig, SpecialValues) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float half_pi = float_of(0x3FC90FDBu), pi = float_of(0x40490FDBu);
  struct Case {
    const char* fn;
    float x;
    float want;  // NaN: any NaN
  };
  const Case cases[] = {
      {"sin", 0.0f, 0.0f},   {"sin", -0.0f, -0.0f},  {"sin", inf, nan},         {"sin", -inf, nan},
      {"sin", nan, nan},     {"sin", 1e-40f, 1e-40f}, {"sin", -1e-30f, -1e-30f},
      {"cos", 0.0f, 1.0f},   {"cos", -0.0f, 1.0f},   {"cos", inf, nan},         {"cos", nan, nan},
      {"cos", 1e-40f, 1.0f}, {"tan", 0.0f, 0.0f},    {"tan", -0.0f, -0.0f},     {"tan", inf, nan},
      {"tan", -inf, nan},    {"tan", nan, nan},      {"tan", -1e-40f, -1e-40f}, {"atan", 0.0f, 0.0f},
      {"atan", -0.0f, -0.0f}, {"atan", inf, half_pi}, {"atan", -inf, -half_pi}, {"atan", nan, nan},
      {"atan", 1e-40f, 1e-40f}, {"asin", 0.0f, 0.0f}, {"asin", -0.0f, -0.0f},   {"asin", 1.0f, half_pi},
      {"asin", -1.0f, -half_pi}, {"asin", 1.0000001f, nan}, {"asin", -2.0f, nan}, {"asin", inf, nan},
      {"asin", nan, nan},    {"asin", 1e-40f, 1e-40f}, {"acos", 1.0f, 0.0f},   {"acos", -1.0f, pi},
      {"acos", 0.0f, half_pi}, {"acos", -0.0f, half_pi}, {"acos", 1.0000001f, nan}, {"acos", -inf, nan},
      {"acos", nan, nan},    {"acos", 1e-40f, half_pi},
  };
  for (const Case& c : cases) {
    const float got = fn(c.fn).scalar(c.x);
    if (std::isnan(c.want)) {
      EXPECT_TRUE(std::isnan(got)) << c.fn << "(" << c.x << ") = " << got;
    } else {
      EXPECT_EQ(bits_of(got), bits_of(c.want)) << c.fn << "(" << c.x << ")";
    }
  }
}

// f(-x) against f(x): odd functions change sign, cos keeps it, and acos(-x)
// is pi - acos(x) to within the rounding of both.
TEST(Trig, Symmetry) {
  Patterns p{1};
  for (const Fn& f : kFns) {
    for (int i = 0; i < 20000; ++i) {
      const float x = float_of(p.next() & 0x7FFFFFFFu);
      if (std::isnan(x)) continue;
      const float a = f.scalar(x), b = f.scalar(-x);
      if (std::isnan(a)) {
        EXPECT_TRUE(std::isnan(b)) << f.name << " " << x;
      } else if (f.parity != 0) {
        EXPECT_EQ(bits_of(b), bits_of(f.parity < 0 ? -a : a)) << f.name << " " << x;
      } else {
        EXPECT_NEAR(static_cast<double>(b), 3.141592653589793 - a, 4e-7) << f.name << " " << x;
      }
    }
  }
}

// Where the C runtime's double result lies clearly away from the middle
// between two floats, its rounding is the correctly rounded float. Within
// the margin either neighbour is accepted.
TEST(Trig, AgreesWithRuntimeWhereItDecides) {
  Patterns p{2};
  for (const Fn& f : kFns) {
    int decided = 0;
    for (int i = 0; i < 200000; ++i) {
      const float x = float_of(p.next());
      if (!(std::fabs(x) <= f.runtime_limit)) continue;
      const double ref = f.runtime(x);
      const float near = static_cast<float>(ref);
      const float got = f.scalar(x);
      if (std::isnan(ref)) {
        EXPECT_TRUE(std::isnan(got)) << f.name << "(" << x << ")";
        continue;
      }
      const double ulp = std::fabs(static_cast<double>(std::nextafter(near, 0.0f)) - near);
      const double from_middle = std::fabs(std::fabs(ref - near) - ulp / 2);
      if (ulp == 0 || from_middle > ulp * 1e-6) {
        EXPECT_EQ(bits_of(got), bits_of(near)) << f.name << "(" << x << ") runtime " << ref;
        ++decided;
      }
    }
    EXPECT_GT(decided, 1000) << f.name;
  }
}

// Row forms give the scalar bits: random patterns (every class of float),
// the special values, lengths that are no multiple of any vector width,
// and the output written over the input.
TEST(Trig, RowsMatchScalar) {
  Patterns p{3};
  std::vector<float> in;
  const std::uint32_t specials[] = {0x00000000u, 0x80000000u, 0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00001u,
                                    0x00000001u, 0x3F800000u, 0xBF800000u, 0x3F800001u, 0x49800000u, 0x497FFFFFu,
                                    0x7F7FFFFFu, 0x4C7EC180u, 0x5F000000u, 0x3FC90FDBu, 0x40490FDBu,
                                    // hard cases of the table, in lanes of their own and among others
                                    0x46199998u, 0xC6199998u, 0x3D8D6B23u, 0x328885A3u, 0x39826222u,
                                    0xB9826222u, 0x3D8D6B23u, 0x46199998u};
  for (std::uint32_t s : specials) in.push_back(float_of(s));
  for (int i = 0; i < 30000; ++i) {
    const std::uint32_t r = p.next();
    // half the patterns from [-4, 4] and [-1, 1], where the fast lanes work
    switch (i % 4) {
      case 0: in.push_back(float_of(r)); break;
      case 1: in.push_back(static_cast<float>(static_cast<std::int32_t>(r)) * 0x1p-29f); break;
      case 2: in.push_back(static_cast<float>(static_cast<std::int32_t>(r)) * 0x1p-31f); break;
      default: in.push_back(static_cast<float>(static_cast<std::int32_t>(r)) * 0x1p-12f); break;
    }
  }
  for (const Fn& f : kFns) {
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{7}, std::size_t{13}, in.size()}) {
      std::vector<float> out(n + 1, 12345.0f);
      f.rows(out.data(), in.data(), static_cast<std::uint32_t>(n));
      for (std::size_t i = 0; i < n; ++i) {
        const float want = f.scalar(in[i]);
        ASSERT_TRUE(same(out[i], want))
            << f.name << "(" << in[i] << ") row " << out[i] << " scalar " << want;
      }
      EXPECT_EQ(out[n], 12345.0f) << f.name << ": written past the end";
    }
    std::vector<float> in_place(in);
    f.rows(in_place.data(), in_place.data(), static_cast<std::uint32_t>(in_place.size()));
    for (std::size_t i = 0; i < in.size(); ++i) {
      const float want = f.scalar(in[i]);
      ASSERT_TRUE(same(in_place[i], want)) << f.name << " in place";
    }
  }
}

}  // namespace
