#include "sample.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "math/crmath.h"

namespace vt::test::math_sample {
namespace {

float from_bits(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}

struct HardCase {
  const char* name;
  std::uint32_t bits;
};
// Arguments whose exact result lies nearest a midpoint between floats.
const HardCase kHardCases[] = {
#include "hard_cases.inc"
};

// Zeros, infinities, NaN, the extremes, and values at the edges of the
// functions' domains and of overflow.
const float kSpecial[] = {
    0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
    std::numeric_limits<float>::denorm_min(), FLT_MIN, FLT_MAX, 1.0f, 0.5f, 2.0f, 1.0f - FLT_EPSILON / 2,
    1.0f + FLT_EPSILON, 88.72283f, 88.72284f, 89.41599f, 89.416f, -87.33655f, -103.97208f, -103.97209f,
    3.14159274f, 1.57079637f, 0.785398185f, 66782720.0f, 0x1p63f, 0x1p127f, 1e24f, 1e-24f, 9.0f, 10.0f,
};

}  // namespace

const Function kFunctions[12] = {
    {"log", vt::math::cr_log, vt::math::cr_log_rows},    {"exp", vt::math::cr_exp, vt::math::cr_exp_rows},
    {"sqrt", vt::math::cr_sqrt, vt::math::cr_sqrt_rows}, {"sinh", vt::math::cr_sinh, vt::math::cr_sinh_rows},
    {"cosh", vt::math::cr_cosh, vt::math::cr_cosh_rows}, {"tanh", vt::math::cr_tanh, vt::math::cr_tanh_rows},
    {"sin", vt::math::cr_sin, vt::math::cr_sin_rows},    {"cos", vt::math::cr_cos, vt::math::cr_cos_rows},
    {"tan", vt::math::cr_tan, vt::math::cr_tan_rows},    {"atan", vt::math::cr_atan, vt::math::cr_atan_rows},
    {"asin", vt::math::cr_asin, vt::math::cr_asin_rows}, {"acos", vt::math::cr_acos, vt::math::cr_acos_rows},
};

std::vector<float> arguments(const char* name) {
  std::vector<float> out;
  for (std::uint64_t u = 0; u <= 0xFFFFFFFFu; u += 4099) out.push_back(from_bits(static_cast<std::uint32_t>(u)));
  for (float v : kSpecial) {
    out.push_back(v);
    out.push_back(-v);
  }
  for (const HardCase& h : kHardCases)
    if (std::strcmp(h.name, name) == 0) out.push_back(from_bits(h.bits));
  return out;
}

std::vector<std::pair<float, float>> pow_pairs() {
  std::vector<std::pair<float, float>> out;
  // Every 4099th base to exponents of every kind: integers, halves, small
  // fractions, large, negative.
  const float exponents[] = {0.5f, 1.5f, 2.0f, 3.0f, -1.0f, -2.5f, 0.3f, 7.0f, 1e-3f, 31.7f, -0.75f};
  for (std::uint64_t u = 0; u <= 0xFFFFFFFFu; u += 4099 * 16)
    for (float y : exponents) out.emplace_back(from_bits(static_cast<std::uint32_t>(u)), y);
  // The special values against each other.
  for (float x : kSpecial)
    for (float y : kSpecial)
      for (int s = 0; s < 4; ++s) out.emplace_back((s & 1) ? -x : x, (s & 2) ? -y : y);
  // Pairs of bit patterns from a fixed generator.
  std::uint32_t a = 2463534242u;
  for (int i = 0; i < 100000; ++i) {
    a ^= a << 13, a ^= a >> 17, a ^= a << 5;
    const float x = from_bits(a & 0x7FFFFFFFu);
    a ^= a << 13, a ^= a >> 17, a ^= a << 5;
    // exponents mostly of moderate size, so that few results are 0, 1 or inf
    const float y = from_bits((a & 0x807FFFFFu) | ((0x70u + (a >> 23 & 0x1Fu)) << 23));
    out.emplace_back(x, y);
  }
  return out;
}

void Hash::add(float v) {
  std::uint32_t b;
  std::memcpy(&b, &v, 4);
  if ((b & 0x7FFFFFFFu) > 0x7F800000u) b = 0x7FC00000u;
  for (int i = 0; i < 4; ++i) {
    h_ ^= (b >> (8 * i)) & 0xFFu;
    h_ *= 0x100000001b3ull;
  }
}

void Hash::add_hash(std::uint64_t h) {
  for (int i = 0; i < 8; ++i) {
    h_ ^= (h >> (8 * i)) & 0xFFu;
    h_ *= 0x100000001b3ull;
  }
}

}  // namespace vt::test::math_sample
