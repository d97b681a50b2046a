// The float remainder against the C library's double fmod: the remainder of
// two floats is exact in double and so in float.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "math/exact.h"

namespace {

using vt::math::exact_fmod;

// The same 4 bytes as another type.
template <class To, class From>
To reinterpret(From v) {
  static_assert(sizeof(To) == sizeof(From), "same size");
  To out;
  std::memcpy(&out, &v, sizeof out);
  return out;
}
std::uint32_t bits(float f) { return reinterpret<std::uint32_t>(f); }
float from_bits(std::uint32_t b) { return reinterpret<float>(b); }
// Equal bits, or both NaN.
bool same(float got, float want) { return std::isnan(want) ? std::isnan(got) : bits(got) == bits(want); }

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kTiny = std::numeric_limits<float>::denorm_min();

TEST(ExactFmod, SpecialAndWorkedCases) {
  struct Case {
    float x, y, want;
  };
  const Case cases[] = {
      {7, 3, 1},          {-7, 3, -1},         {7, -3, 1},            {-7, -3, -1},
      {7.5f, 2, 1.5f},    {6, 3, 0},           {-6, 3, -0.0f},        {0, 5, 0},
      {-0.0f, 5, -0.0f},  {2, 7, 2},           {-2, kInf, -2},        {1, 0, kNaN},
      {kInf, 2, kNaN},    {kNaN, 2, kNaN},     {2, kNaN, kNaN},       {FLT_MAX, kTiny, 0},
      {FLT_MAX, 3, 0},  /* (2^24 - 1) 2^104, and 3 divides 2^24 - 1 */  {kTiny * 7, kTiny * 2, kTiny},
      {FLT_MIN * 3, FLT_MIN * 2, FLT_MIN},     {FLT_MIN, kTiny * 3, kTiny * 2},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(same(exact_fmod(c.x, c.y), c.want)) << c.x << " mod " << c.y << " gave " << exact_fmod(c.x, c.y);
}

// Pairs from a fixed generator over all bit patterns and over nearby
// magnitudes (where the quotient is small and the result has many bits).
TEST(ExactFmod, AgreesWithTheDoubleRemainder) {
  std::uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state >> 32);
  };
  int wrong = 0;
  for (int i = 0; i < 400000; ++i) {
    const std::uint32_t a = next(), b = next();
    const float x = from_bits(a);
    // every other pair: y within 2^10 of x's exponent
    const float y = (i & 1) ? from_bits(b) : from_bits((b & 0x807FFFFFu) | ((a >> 23 & 0xFF) - (b >> 28)) << 23);
    const float want = static_cast<float>(std::fmod(static_cast<double>(x), static_cast<double>(y)));
    if (!same(exact_fmod(x, y), want) && ++wrong < 5)
      ADD_FAILURE() << std::hexfloat << x << " mod " << y << " gave " << exact_fmod(x, y) << " want " << want;
  }
  EXPECT_EQ(0, wrong);
}

}  // namespace
