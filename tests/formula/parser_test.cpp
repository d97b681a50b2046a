// The language: what each text means (value with a=1.5, b=-2.25, c=4, t=10,
// p=r=true, q=false, worked out by hand) and where each bad text fails.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "harness.h"

using harness::Formula;

namespace {

struct ValueCase {
  const char* text;
  float expected;
  std::int16_t type;  // 1 float, 4 Boolean
};

TEST(Language, TextsEvaluateToTheirHandWorkedValues) {
  const ValueCase cases[] = {
      {"2+3*4", 14.0f, 1},
      {"2^3^2", 64.0f, 1},  // left-associative
      {"-2^2", 4.0f, 1},    // unary minus binds tighter than ^
      {"2*-3", -6.0f, 1},
      {"a*2 + (t > 10 ? 1 : 0)", 3.0f, 1},
      {"p | q & r", 1.0f, 4},      // (p | q) & r
      {"q | p & q", 0.0f, 4},      // (q | p) & q
      {"p ^ q ^ r", 0.0f, 4},      // (1 xor 0) xor 1
      {"p ^ 2", 1.0f, 1},          // number reading: 1^2
      {"!(a < b)", 1.0f, 4},
      {"p ? 1 : q ? 2 : 3", 1.0f, 1},
      {"q ? 1 : q ? 2 : 3", 3.0f, 1},
      {"p ? q : 1", 0.0f, 1},      // q counts as the number 0
      {"SIN(0) + Pi", 3.1415927f, 1},
      {"TRUE", 1.0f, 4},
      {"p Und nicht q", 1.0f, 4},
      {"p oder q", 1.0f, 4},
      {"p xoder r", 0.0f, 4},
      {"ein & !aus", 1.0f, 4},
      {"high and not low", 1.0f, 4},
      {"5.", 5.0f, 1},
      {".5", 0.5f, 1},
      {"1e30", 1e24f, 1},
      {"-1e30", -1e24f, 1},
      {"2.5E+1", 25.0f, 1},
      {"1e-400", 0.0f, 1},
      {"min(a, b) + max(a,b)", -0.75f, 1},
      {"mod(-7,3)", -1.0f, 1},
      {"int(-2.5) + int(2.5)", 0.0f, 1},
      {"x*0 + a", 1.5f, 1},  // x is set to 3 below
      {"t >= 10", 1.0f, 4},
      {"a == 1.5", 1.0f, 4},
      {"b != -2.25", 0.0f, 4},
      {"(p ? a : b) * 2", 3.0f, 1},
      {"  \t a \n", 1.5f, 1},
      {"2 > 1 ? 5 : 6", 5.0f, 1},
      {"sqr(b)", 5.0625f, 1},
      {"abs(b) + sgn(b)", 1.25f, 1},
      {"e", 2.7182817f, 1},
  };
  for (const ValueCase& c : cases) {
    harness::set_default_signals();
    Formula f;
    f.calc.x = 3.0f;
    ASSERT_EQ(1, f.compile(c.text)) << c.text << " error " << f.calc.geterror();
    EXPECT_EQ(0, f.calc.geterror()) << c.text;
    EXPECT_EQ(c.type, f.calc.gettype()) << c.text;
    EXPECT_EQ(c.expected, f.calc.eval()) << c.text;
  }
}

struct ErrorCase {
  const char* text;
  std::int16_t error;
  int position;  // -1: not checked
};

TEST(Language, BadTextsFailWithTheirCodeAndPosition) {
  const ErrorCase cases[] = {
      {"!a < b", 7, 1},
      {"a ? b : c", 8, 2},
      {"p ? 1", 6, -1},
      {"p ? : 1", 7, 0},
      {"sinx", 2, -1},
      {"sin (a)", 2, 0},
      {"sin(a", 9, -1},
      {"sin()", 2, -1},
      {"min(a b)", 28, -1},
      {"1,5", 8, 1},
      {"a + zz", 7, 4},
      {".", 2, -1},
      {"1e", 2, -1},
      {"1e+", 2, -1},
      {"a <", 8, 2},
      {"a +", 7, -1},
      {"p == q", 8, 2},
      {"2 3", 8, 2},
      {"(a", 9, 2},
      {"()", 2, -1},
      {"a = 1", 8, 2},
      {"zz", 2, -1},
      {"-a^2 + -^b", 7, -1},  // a later operand clears the error of "-"
      {"!p & q | !", 7, -1},
  };
  for (const ErrorCase& c : cases) {
    Formula f;
    EXPECT_EQ(0, f.compile(c.text)) << c.text;
    EXPECT_EQ(c.error, f.calc.geterror()) << c.text;
    if (c.position >= 0) {
      EXPECT_EQ(static_cast<std::uint32_t>(c.position), f.calc.geterrorpos()) << c.text;
    }
    EXPECT_EQ(0, f.calc.is_valid()) << c.text;
    EXPECT_EQ(0.0f, f.calc.eval()) << c.text;
  }
}

// Names: umlauts and points belong to names, a known variable hides a
// function name, letter case matters to the callback but not to keywords.
std::int16_t names_with_umlauts(const char* name, std::int16_t type) {
  if (type == 1 && std::string(name) == "\xDC" "berlauf.Max") return 7;
  if (type == 1 && std::string(name) == "sin") return 8;
  return -1;
}
float seven_or_eight(std::int16_t index, std::int16_t) { return index == 7 ? 70.0f : 80.0f; }

TEST(Language, NamesAreResolvedThroughTheCallback) {
  Formula f;
  f.calc.setfunctions(names_with_umlauts, seven_or_eight, nullptr);
  ASSERT_EQ(1, f.compile("\xDC" "berlauf.Max + 1"));
  EXPECT_EQ(71.0f, f.calc.eval());
  ASSERT_EQ(1, f.compile("sin"));  // the variable hides the function
  EXPECT_EQ(80.0f, f.calc.eval());
  f.calc.setfunctions(nullptr, nullptr, nullptr);
  EXPECT_EQ(0, f.compile("sin"));
  f.calc.x = 2.0f;
  ASSERT_EQ(1, f.compile("X*x"));  // built-ins need no callback
  EXPECT_EQ(4.0f, f.calc.eval());
}

TEST(Language, EmptyAndBlankTextsCompileToEmptyCode) {
  for (const char* text : {"", "   ", "\t\r\n"}) {
    Formula f;
    EXPECT_EQ(1, f.compile(text));
    EXPECT_EQ(0, f.calc.geterror());
    EXPECT_EQ(0, f.calc.is_valid());
    EXPECT_EQ(0.0f, f.calc.eval());
  }
}

// Limits that the language itself leaves open: deep nesting, long names and
// numbers, formulas that need more than the stack's 128 cells.
TEST(Language, HardLimitsEndTheCompileWithAnError) {
  struct Case {
    std::string text;
    std::int16_t error;
  };
  std::string deep_right;  // p?a:p?a:... keeps two cells per level
  for (int i = 0; i < 70; ++i) deep_right += "p?a:";
  deep_right += "a";
  std::string deep_cond;  // p?1:p?1:... nests through the branches
  for (int i = 0; i < 150; ++i) deep_cond += "p?1:";
  deep_cond += "2";
  const Case cases[] = {
      {std::string(100000, '('), 14},
      {std::string(300, 'n'), 32},
      {std::string(300, '7'), 32},
      {"1." + std::string(300, '5'), 32},
      {deep_cond, 14},
  };
  for (const Case& c : cases) {
    char* text = new char[c.text.size() + 1];
    std::memcpy(text, c.text.c_str(), c.text.size() + 1);
    codeentry code[8];
    ctlcalc calc(nullptr, code, 0, 8);
    calc.setfunctions(harness::get_name, harness::get_value, nullptr);
    calc.settext(text, static_cast<std::uint32_t>(c.text.size() + 1));
    EXPECT_EQ(0, calc.compile()) << c.text.substr(0, 20);
    EXPECT_EQ(c.error, calc.geterror()) << c.text.substr(0, 20);
    delete[] text;
  }
  Formula f;
  EXPECT_EQ(0, f.compile(deep_right));
  EXPECT_EQ(12, f.calc.geterror());
  std::string fits;  // 60 levels need 61 cells: fine
  for (int i = 0; i < 60; ++i) fits += "a+(";
  fits += "a" + std::string(60, ')');
  harness::set_default_signals();
  ASSERT_EQ(1, f.compile(fits));
  EXPECT_EQ(61 * 1.5f, f.calc.eval());
  EXPECT_EQ(0, f.compile(std::string(255, 'n')));  // fits the buffer: just unknown
  EXPECT_EQ(2, f.calc.geterror());
}

// The parser reads every text as Boolean and as arithmetic and backtracks;
// the results it keeps (conditional readings, sums) bound the work to a
// few tries per name, however deep the text nests. Counted through the name
// callback: the tries per name stay the same from 4 to 16 levels deep,
// where work that multiplies per level would show at once.
int g_name_calls = 0;
std::int16_t counting_name(const char* name, std::int16_t type) {
  ++g_name_calls;
  return harness::get_name(name, type);
}

TEST(Language, NestingCostsTheSameTriesPerName) {
  struct Shape {
    const char* open;   // repeated `depth` times, then `inner`, then `close`
    const char* inner;
    const char* close;  // repeated `depth` times
  };
  const Shape shapes[] = {
      {"a+(", "a", ")"},              // sums in parentheses
      {"a*2 < b & (", "p", ")"},      // comparisons of sums
      {"p ? a : ", "a", ""},          // conditionals in the else-value
      {"max(a, ", "a", ")"},          // function arguments
      {"a < b & (p | ", "p", ")"},    // Boolean chains
  };
  for (const Shape& shape : shapes) {
    double tries_per_name[2];
    const int depths[2] = {4, 16};
    for (int k = 0; k < 2; ++k) {
      std::string text;
      for (int i = 0; i < depths[k]; ++i) text += shape.open;
      text += shape.inner;
      for (int i = 0; i < depths[k]; ++i) text += shape.close;
      int names = 0;
      for (char ch : text) names += ch == 'a' || ch == 'b' || ch == 'p' ? 1 : 0;
      Formula f;
      f.calc.setfunctions(counting_name, harness::get_value, nullptr);
      g_name_calls = 0;
      EXPECT_EQ(1, f.compile(text)) << text;
      tries_per_name[k] = static_cast<double>(g_name_calls) / names;
    }
    EXPECT_LE(tries_per_name[1], tries_per_name[0] * 1.25) << shape.open;
  }
}

}  // namespace
