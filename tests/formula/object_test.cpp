// The formula object's configuration and error reporting.
#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace {

TEST(FormulaObject, ConstructionEmptiesTheBuffers) {
  char text[16] = "sin(x)";
  codeentry code[4];
  code[0].op = op_plus;
  ctlcalc calc(text, code, sizeof text, 4);
  EXPECT_STREQ("", calc.gettext());
  EXPECT_EQ(0, code[0].op);
  EXPECT_EQ(0, calc.is_valid());
  EXPECT_EQ(0.0f, calc.eval());
}

TEST(FormulaObject, TextIsCopiedInAndOut) {
  char text[8];
  codeentry code[4];
  ctlcalc calc(text, code, sizeof text, 4);
  calc.settext("1+2");
  char out[8];
  EXPECT_STREQ("1+2", calc.gettext(out));
  EXPECT_EQ(text, calc.gettext());
  calc.settext("123456789");  // too long: cut, still terminated
  EXPECT_EQ('\0', text[7]);
  calc.settext(nullptr);
  EXPECT_STREQ("", text);
}

// The texts themselves are the string table's (its own test); here only
// which code a compile leaves and which codes seterror takes.
TEST(FormulaObject, ErrorCodes) {
  harness::Formula f;
  EXPECT_EQ(0, f.compile("a +"));
  EXPECT_EQ(7, f.calc.geterror());
  f.calc.seterror(-1);
  EXPECT_EQ(7, f.calc.geterror());
  f.calc.seterror(999);
  EXPECT_STREQ("", f.calc.geterrorstr());
  EXPECT_EQ(1, f.compile("1"));
  EXPECT_EQ(0, f.calc.geterror());
}

TEST(FormulaObject, InvalidateEmptiesTheCode) {
  harness::Formula f;
  ASSERT_EQ(1, f.compile("2"));
  EXPECT_EQ(1, f.calc.is_valid());
  f.calc.invalidate();
  EXPECT_EQ(0, f.calc.is_valid());
  EXPECT_EQ(0.0f, f.calc.eval());
  EXPECT_STREQ("2", f.calc.gettext());
}

TEST(FormulaObject, AssignedObjectsShareTheirBuffers) {
  harness::Formula f;
  ASSERT_EQ(1, f.compile("2"));
  ctlcalc other;
  other = f.calc;
  EXPECT_EQ(2.0f, other.eval());
  ASSERT_EQ(1, f.compile("3"));
  EXPECT_EQ(3.0f, other.eval());
}

TEST(FormulaObject, StoredCodeIsReadyOnceAttached) {
  harness::Formula f;
  ASSERT_EQ(1, f.compile("x * 4"));
  codeentry stored[8];
  std::memcpy(stored, f.code, f.calc.getcodesize());
  ctlcalc later;
  later.x = 2.5f;
  later.setcode(stored, 8);
  EXPECT_EQ(1, later.is_valid());
  EXPECT_EQ(10.0f, later.eval());
}

TEST(FormulaObject, TypeMaskGatesWhatAFormulaMayBe) {
  struct Case {
    std::int16_t mask;
    const char* text;
    std::int16_t error;  // 0: compiles
  };
  const Case cases[] = {
      {5, "a > b", 0},  {1, "a > b", 27}, {1, "a + 1", 0}, {4, "p & q", 0},
      {4, "a + 1", 2},  {4, "p ? 1 : 2", 7}, {2, "a * 2", 0}, {1, "p", 2},
  };
  for (const Case& c : cases) {
    harness::Formula f;
    f.calc.settype(c.mask);
    f.compile(c.text);
    EXPECT_EQ(c.error, f.calc.geterror()) << c.mask << " " << c.text;
  }
}

}  // namespace
