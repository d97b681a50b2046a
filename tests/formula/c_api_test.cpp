// The C handle API drives the same cases as the class and must agree with it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "harness.h"
#include "veltra/ctlcalc_c.h"

namespace {

struct User {
  int name_calls = 0;
};

int16_t c_name(void* user, const char* name, int16_t type) {
  ++static_cast<User*>(user)->name_calls;
  return harness::get_name(name, type);
}
float c_value(void*, int16_t index, int16_t type) { return harness::get_value(index, type); }

TEST(HandleApi, AgreesWithTheClass) {
  const char* texts[] = {"2+3*4", "a*2 + (t > 10 ? 1 : 0)", "p und nicht q", "a +", "2 3",
                         "sin (a)", "min(a b)", "", "x*2", nullptr};
  std::string deep(200, '(');
  texts[9] = deep.c_str();
  CalcHandle* h = CalcCreate(512, 64);
  ASSERT_NE(nullptr, h);
  User user;
  ASSERT_EQ(1, CalcSetCallbacks(h, c_name, c_value, &user));
  ASSERT_EQ(1, CalcSetBuiltin(h, 0, 2.5f));
  for (const char* text : texts) {
    harness::set_default_signals();
    harness::Formula f;
    f.calc.x = 2.5f;
    int ok = f.compile(text);
    ASSERT_EQ(1, CalcSetText(h, text));
    EXPECT_EQ(ok, CalcCompile(h)) << text;
    EXPECT_EQ(f.calc.geterror(), CalcGetError(h)) << text;
    EXPECT_EQ(f.calc.geterrorpos(), CalcGetErrorPos(h)) << text;
    EXPECT_EQ(std::string(f.calc.geterrorstr()), CalcGetErrorText(h)) << text;
    EXPECT_EQ(harness::bits(f.calc.eval()), harness::bits(CalcEval(h))) << text;
    ASSERT_EQ(1, CalcSetNative(h, 0));  // the interpreter's road gives the same
    EXPECT_EQ(harness::bits(f.calc.eval()), harness::bits(CalcEval(h))) << text;
    ASSERT_EQ(1, CalcSetNative(h, 1));
    if (ok && f.calc.is_valid()) {
      EXPECT_EQ(f.calc.gettype(), CalcGetType(h)) << text;
    }
  }
  EXPECT_GT(user.name_calls, 0);
  CalcDestroy(h);
}

TEST(HandleApi, CodeTravelsOutAndBackIn) {
  CalcHandle* h = CalcCreate(64, 16);
  ASSERT_EQ(1, CalcSetText(h, "x * 4 - 1"));
  ASSERT_EQ(1, CalcCompile(h));
  unsigned char stored[128];
  uint32_t bytes = CalcGetCode(h, stored, sizeof stored);
  EXPECT_EQ(6u * 8u, bytes);  // x 4 * 1 - and the terminator
  EXPECT_EQ(bytes, CalcGetCode(h, nullptr, 0));  // size query
  CalcHandle* other = CalcCreate(8, 16);
  ASSERT_EQ(1, CalcAttachCode(other, stored, bytes));
  CalcSetBuiltin(other, 0, 3.0f);
  EXPECT_EQ(11.0f, CalcEval(other));
  stored[4] = 99;  // unknown operation
  EXPECT_EQ(0, CalcAttachCode(other, stored, bytes));
  EXPECT_EQ(0.0f, CalcEval(other));
  EXPECT_EQ(0, CalcAttachCode(other, stored, 12));        // no multiple of 8
  EXPECT_EQ(0, CalcAttachCode(other, stored, 17 * 8));    // larger than the buffer
  CalcDestroy(other);
  CalcDestroy(h);
}

TEST(HandleApi, BadArgumentsGiveTheDocumentedResults) {
  EXPECT_EQ(nullptr, CalcCreate(0, 8));
  EXPECT_EQ(nullptr, CalcCreate(8, 0));
  EXPECT_EQ(nullptr, CalcCreate(8, 40000));
  EXPECT_EQ(0, CalcSetText(nullptr, "1"));
  EXPECT_EQ(0, CalcCompile(nullptr));
  EXPECT_EQ(0.0f, CalcEval(nullptr));
  EXPECT_EQ(-1, CalcGetError(nullptr));
  EXPECT_STREQ("", CalcGetErrorText(nullptr));
  EXPECT_EQ(0, CalcSetBuiltin(nullptr, 0, 1.0f));
  EXPECT_EQ(0, CalcSetNative(nullptr, 1));
  CalcDestroy(nullptr);
  CalcHandle* h = CalcCreate(4, 8);
  EXPECT_EQ(0, CalcSetText(h, "1234"));  // needs 5 bytes
  EXPECT_EQ(1, CalcSetText(h, "123"));
  EXPECT_EQ(0, CalcSetBuiltin(h, 6, 1.0f));
  EXPECT_EQ(0, CalcSetText(h, nullptr));
  CalcDestroy(h);
}

}  // namespace
