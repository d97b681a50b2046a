// Compiled code is a stored format: 8-byte little-endian records. These
// arrays are written byte by byte, so a change of layout or numbering fails
// here. Code that fails the check before evaluation gives 0.0 and asks no
// callback.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <vector>

#include "harness.h"

namespace {

using Bytes = std::vector<unsigned char>;

float run(const Bytes& bytes, std::uint32_t capacity = 0) {
  std::vector<codeentry> code(bytes.size() / 8 + 1);
  std::memcpy(code.data(), bytes.data(), bytes.size());
  ctlcalc calc;
  calc.setfunctions(harness::get_name, harness::get_value, nullptr);
  calc.x = 3.0f;
  calc.setcode(code.data(), capacity ? capacity : static_cast<std::uint32_t>(bytes.size() / 8));
  return calc.eval();
}

TEST(StoredCode, HandWrittenArraysEvaluate) {
  struct Case {
    const char* what;
    Bytes bytes;
    float expected;
  };
  const Case cases[] = {
      {"2 + 3",
       {0x00, 0x00, 0x00, 0x40, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x40, 0x40, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x20, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       5.0f},
      {"x * 2, upper operand bytes ignored",
       {0xE8, 0x03, 0xFF, 0xFF, 0x23, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x40, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x21, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       6.0f},
      {"not p as number (p true)",
       {0x0A, 0x00, 0x00, 0x00, 0x1E, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x1D, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x34, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       0.0f},
      {"b / 0 with b negative; reserved codes and end mark do nothing",
       {0x02, 0x00, 0x00, 0x00, 0x23, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x17, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x35, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x37, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       -FLT_MAX},
      {"index past the built-ins goes to the callback (index 2000: 0.0)",
       {0xD0, 0x07, 0x00, 0x00, 0x23, 0, 0, 0,  //
        0x00, 0x00, 0x80, 0x3F, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x20, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       1.0f},
      {"float 2 to Boolean and back; Boolean constant -1",
       {0x00, 0x00, 0x00, 0x40, 0x25, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x15, 0, 0, 0,  //
        0xFF, 0xFF, 0x00, 0x00, 0x24, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x1A, 0, 0, 0,  //
        0x00, 0x00, 0x00, 0x00, 0x34, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0},
       1.0f},
  };
  for (const Case& c : cases) {
    harness::set_default_signals();
    EXPECT_EQ(c.expected, run(c.bytes)) << c.what;
  }
}

TEST(StoredCode, CompilerWritesTheSameBytes) {
  harness::Formula f;
  ASSERT_EQ(1, f.compile("x * 2"));
  const unsigned char expected[] = {0xE8, 0x03, 0x00, 0x00, 0x23, 0, 0, 0,  //
                                    0x00, 0x00, 0x00, 0x40, 0x25, 0, 0, 0,  //
                                    0x00, 0x00, 0x00, 0x00, 0x21, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(expected, f.code, sizeof expected));
  EXPECT_EQ(0, f.code[3].op);
}

TEST(StoredCode, CodeThatFailsTheCheckDoesNotRun) {
  const Bytes push_a = {0x01, 0, 0, 0, 0x23, 0, 0, 0};
  const Bytes plus = {0, 0, 0, 0, 0x20, 0, 0, 0};
  const Bytes end = {0, 0, 0, 0, 0, 0, 0, 0};
  auto chain = [&](int pushes, int pluses, bool terminated) {
    Bytes b;
    for (int i = 0; i < pushes; ++i) b.insert(b.end(), push_a.begin(), push_a.end());
    for (int i = 0; i < pluses; ++i) b.insert(b.end(), plus.begin(), plus.end());
    if (terminated) b.insert(b.end(), end.begin(), end.end());
    return b;
  };
  Bytes unknown_code = chain(1, 0, true);
  unknown_code[4] = 56;
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case bad[] = {
      {"unknown operation", unknown_code},
      {"pop from an empty stack", chain(1, 1, true)},
      {"two values left", chain(2, 0, true)},
      {"129 cells", chain(129, 128, true)},
      {"no terminator in the buffer", chain(3, 2, false)},
  };
  for (const Case& c : bad) {
    harness::set_default_signals();
    EXPECT_EQ(0.0f, run(c.bytes)) << c.what;
    EXPECT_EQ(0, harness::g_signals.value_calls) << c.what;
  }
  harness::set_default_signals();
  EXPECT_EQ(128 * 1.5f, run(chain(128, 127, true)));  // exactly the stack's size
}

// The caller owns the code buffer and may write into it while it stays
// attached: every evaluation answers for the code as it is now, and code
// made invalid in place stops running (0.0, no callback) instead of running
// unchecked.
TEST(StoredCode, CodeRewrittenInPlaceIsEvaluatedAsItNowStands) {
  harness::set_default_signals();  // a = 1.5, b = -2.25
  harness::Formula f;
  ASSERT_EQ(1, f.compile("a * 2 + b"));  // a, 2, *, b, +
  struct Step {
    const char* what;
    int entry;
    std::int32_t op;
    float operand;  // for a constant, or a variable's index
    float expected;
  };
  const Step steps[] = {
      {"as compiled", -1, 0, 0, 0.75f},
      {"constant 2 becomes 4", 1, op_cfpush, 4.0f, 3.75f},
      {"* becomes -", 2, op_minus, 0, -4.75f},
      {"+ becomes an unknown code", 4, 60, 0, 0.0f},
      {"+ restored", 4, op_plus, 0, -4.75f},
      {"variable a becomes b", 0, op_vfpush, 2, -8.5f},
      {"a becomes reserved code 23: a pop too many", 0, 23, 0, 0.0f},
  };
  for (const Step& s : steps) {
    if (s.entry >= 0) {
      f.code[s.entry].op = static_cast<operation>(s.op);
      if (s.op == op_cfpush) f.code[s.entry].value.f = s.operand;
      if (s.op == op_vfpush) f.code[s.entry].value.b = static_cast<std::int16_t>(s.operand);
    }
    harness::g_signals.value_calls = 0;
    EXPECT_EQ(s.expected, f.calc.eval()) << s.what;
    if (s.expected == 0.0f) {
      EXPECT_EQ(0, harness::g_signals.value_calls) << s.what;
    }
  }
}

// A value callback that rewrites the attached code while eval runs: that
// evaluation finishes the program it started (its variables are read
// first), and the next one runs the code as it now stands, with machine
// code or without.
codeentry* g_rewrite = nullptr;
float rewriting_value(std::int16_t index, std::int16_t type) {
  if (g_rewrite) g_rewrite[1].value.f = 4.0f;  // the constant 2 of «a * 2 + b»
  g_rewrite = nullptr;
  return harness::get_value(index, type);
}

TEST(StoredCode, CodeRewrittenByTheCallbackRunsFromTheNextEvaluation) {
  for (int native = 1; native >= 0; --native) {
    harness::set_default_signals();  // a = 1.5, b = -2.25
    harness::Formula f;
    f.calc.setfunctions(harness::get_name, rewriting_value, nullptr);
    f.calc.setnative(static_cast<std::int16_t>(native));
    ASSERT_EQ(1, f.compile("a * 2 + b"));
    EXPECT_EQ(0.75f, f.calc.eval());  // the code as compiled
    g_rewrite = f.code;
    EXPECT_EQ(0.75f, f.calc.eval()) << native;
    EXPECT_EQ(3.75f, f.calc.eval()) << native;
  }
}

}  // namespace
