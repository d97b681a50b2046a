// The value rules, each case worked out by hand, through all three ways a
// value is computed: folded at compile time (constants written into the
// text), the fast evaluation loop, and the handlers one by one.
#include <gtest/gtest.h>

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "formula/access.h"
#include "harness.h"

namespace {

constexpr float kNaN = NAN;  // bits 7fc00000
// An invalid operation on numbers gives this one NaN in every build,
// whichever C runtime computed it (the processor's default NaN, spelled
// independently of the engine); a NaN operand passes on.
const float kInvalid = -std::numeric_limits<float>::quiet_NaN();  // bits ffc00000

struct RuleCase {
  const char* text;  // over the built-ins x and y
  float x, y;
  float expected;    // compared bit for bit, NaN included
};

const RuleCase kRules[] = {
    {"x/y", 1, 0, FLT_MAX},
    {"x/y", -1, 0, -FLT_MAX},
    {"x/y", 0, 0, FLT_MAX},
    {"x/y", 1, -0.0f, FLT_MAX},
    {"x/y", 1e20f, 1e-20f, 1e24f},
    {"ln(x)", 0, 0, -1e24f},
    {"ln(x)", -1, 0, kInvalid},
    {"exp(x)", 100, 0, 1e24f},
    {"sqrt(x)", -1, 0, kInvalid},
    {"sqrt(x)+y", -1, 1, kInvalid},
    {"acos(x)", 2, 0, kInvalid},
    {"asin(x)", 1, 0, 1.5707964f},
    {"tanh(x)", 100, 0, 1.0f},
    {"mod(x,y)", 7, 0, 0.0f},
    {"mod(x,y)", -7, 3, -1.0f},
    {"mod(x,y)", 7.5f, 2, 1.5f},
    {"int(x)", -2.5f, 0, -2.0f},
    {"int(x)", 2.5f, 0, 2.0f},
    {"int(x)", -0.5f, 0, -0.0f},  // -floor(0.5)
    {"sgn(x)", -0.5f, 0, -1.0f},
    {"sgn(x)", 0, 0, 0.0f},
    {"min(x,y)", 2, 1, 1.0f},
    {"max(x,y)", 2, 1, 2.0f},
    {"rad(x)", 180, 0, 3.1415927f},
    {"deg(x)", 3.1415927f, 0, 180.0f},
    {"x*y", 1e20f, 1e20f, 1e24f},
    {"x*y", -1e20f, 1e20f, -1e24f},
    {"x+y", 1e24f, 1e24f, 1e24f},
    {"x-y", -1e24f, 1e24f, -1e24f},
    {"x^y", 2, 100, 1e24f},
    {"x^y", 2, 0.5f, 1.4142135f},
    {"x^y", -8, 1.0f / 3, kInvalid},
    {"x^2", 3, 0, 9.0f},
    {"x^2", 1e13f, 0, 1e24f},
    {"sqr(x)", -1e13f, 0, 1e24f},
    {"x*0.1", 3, 0, 0.3f},    // rounded once: 0.3f, not 0.3 then 0.30000001
    {"x+y", 16777216, 1, 16777216.0f},
    {"x > y", 1, 1, 0.0f},
    {"x >= y", 1, 1, 1.0f},
    {"x == y", 0.1f, 0.1f, 1.0f},
    {"x < y ? x : y", 3, 4, 3.0f},
    {"-x", 0, 0, -0.0f},
};

bool same(float a, float expected) { return harness::bits(a) == harness::bits(expected); }

// The text with x and y replaced by their values, for the folding path.
std::string with_constants(const RuleCase& c) {
  std::string out;
  char num[40];
  for (const char* p = c.text; *p; ++p) {
    bool alone = (p == c.text || !std::isalpha(static_cast<unsigned char>(p[-1]))) &&
                 !std::isalpha(static_cast<unsigned char>(p[1]));
    if (alone && (*p == 'x' || *p == 'y')) {
      std::snprintf(num, sizeof num, "(%.9g)", static_cast<double>(*p == 'x' ? c.x : c.y));
      out += num;
    } else {
      out += *p;
    }
  }
  return out;
}

TEST(ValueRules, FoldingFastLoopAndHandlersGiveTheRuleValue) {
  for (const RuleCase& c : kRules) {
    harness::Formula f;
    f.calc.x = c.x;
    f.calc.y = c.y;
    ASSERT_EQ(1, f.compile(c.text)) << c.text;
    EXPECT_TRUE(same(f.calc.eval(), c.expected)) << c.text << " fast " << f.calc.eval();
    EXPECT_TRUE(same(ctlcalc_access::run_reference(f.calc), c.expected)) << c.text << " handlers";
    if (c.x == 0 && std::signbit(c.x)) continue;
    std::string folded = with_constants(c);
    ASSERT_EQ(1, f.compile(folded)) << folded << " error " << f.calc.geterror();
    // one constant left (a Boolean one is followed by its conversion)
    std::vector<int> ops = f.ops();
    const std::vector<int> one_constant =
        ops.size() == 2 ? std::vector<int>{36, 52} : std::vector<int>{37};
    ASSERT_EQ(one_constant, ops) << folded;
    EXPECT_TRUE(same(f.calc.eval(), c.expected)) << folded << " folded " << f.calc.eval();
  }
}

TEST(ValueRules, NaNPassesAndComparesUnequal) {
  struct Case {
    const char* text;
    float expected;
  };
  const Case cases[] = {
      {"x != x", 1.0f}, {"x == x", 0.0f}, {"x < 1", 0.0f},   {"min(x, 1)", kNaN},
      {"min(1, x)", 1.0f}, {"max(x, 1)", 1.0f}, {"sgn(x)", 0.0f}, {"int(x)", kNaN},
      {"x / 0", -FLT_MAX}, {"x + 1e30", kNaN}, {"abs(x)", kNaN}, {"ln(x)", kNaN},
      {"x^2", kNaN}, {"x^0.3", kNaN}, {"acos(x)", kNaN}, {"mod(x, 2)", kNaN},
  };
  for (const Case& c : cases) {
    harness::Formula f;
    f.calc.x = kNaN;
    ASSERT_EQ(1, f.compile(c.text)) << c.text;
    EXPECT_TRUE(same(f.calc.eval(), c.expected)) << c.text;
    EXPECT_TRUE(same(ctlcalc_access::run_reference(f.calc), c.expected)) << c.text;
  }
}

// A Boolean variable is true when the low 16 bits of its 4 bytes are not 0:
// the float 1.0 (bits 3F800000) is false.
float boolean_as_float_one(std::int16_t, std::int16_t type) { return type == 4 ? 1.0f : 0.0f; }
float boolean_low_bit(std::int16_t, std::int16_t) { return harness::bool_bits(1); }

TEST(ValueRules, BooleanVariablesReadTheLowHalf) {
  harness::Formula f;
  ASSERT_EQ(1, f.compile("p"));
  f.calc.setfunctions(harness::get_name, boolean_as_float_one, nullptr);
  EXPECT_EQ(0.0f, f.calc.eval());
  f.calc.setfunctions(harness::get_name, boolean_low_bit, nullptr);
  EXPECT_EQ(1.0f, f.calc.eval());
}

// Powers by 2, 3 and 1.5 and divisions by powers of two take shortcuts; the
// C library's pow and a double division are the oracles, on a spread of
// mantissas at small, subnormal, middle and large exponents, with the
// exponent or divisor as a constant and as a variable.
TEST(ValueRules, PowerAndDivisionShortcutsGiveTheRuleValue) {
  struct Case {
    const char* by_constant;
    float k;  // the exponent or divisor, also given as b
    bool power;
  };
  const Case cases[] = {{"a ^ 2", 2.0f, true},      {"a ^ 3", 3.0f, true},
                        {"a ^ 1.5", 1.5f, true},    {"a / 1024", 1024.0f, false},
                        {"a / 0.125", 0.125f, false}, {"a / 2", 2.0f, false}};
  const std::uint32_t exponents[] = {0, 1, 60, 100, 127, 150, 200, 254, 255};
  for (const Case& c : cases) {
    harness::Formula by_constant, by_variable;
    ASSERT_EQ(1, by_constant.compile(c.by_constant));
    ASSERT_EQ(1, by_variable.compile(c.power ? "a ^ b" : "a / b"));
    harness::g_signals.f[2] = c.k;
    int mismatches = 0;
    for (std::uint32_t e : exponents)
      for (std::uint32_t m = 0; m < (1u << 23); m += e == 255 ? 1u << 22 : 509)
        for (std::uint32_t sign = 0; sign < 2; ++sign) {
          std::uint32_t u = sign << 31 | e << 23 | m;
          float a;
          std::memcpy(&a, &u, 4);
          harness::g_signals.f[1] = a;
          double exact = c.power ? std::pow(static_cast<double>(a), static_cast<double>(c.k))
                                 : static_cast<double>(a) / c.k;
          float want = static_cast<float>(exact);
          if (c.power && std::isnan(want)) {  // a NaN base passes on, quieted
            std::uint32_t quiet = u | 0x00400000u;
            if (std::isnan(a)) std::memcpy(&want, &quiet, 4);
            else want = kInvalid;
          }
          if (std::fabs(want) > 1e24f) want = want > 0 ? 1e24f : -1e24f;
          if (!same(by_constant.calc.eval(), want) || !same(by_variable.calc.eval(), want)) ++mismatches;
        }
    EXPECT_EQ(0, mismatches) << c.by_constant;
  }
}

}  // namespace
