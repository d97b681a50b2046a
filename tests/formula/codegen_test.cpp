// What the optimiser and code generator make of a text: the instruction
// sequence (operation and operand), written out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "harness.h"

using harness::Formula;

namespace {

struct Instr {
  int op;
  float operand;  // variable index, Boolean or float constant
};

bool operator==(const Instr& a, const Instr& b) { return a.op == b.op && a.operand == b.operand; }
std::ostream& operator<<(std::ostream& o, const Instr& i) { return o << "{" << i.op << "," << i.operand << "}"; }

std::vector<Instr> instructions(const Formula& f) {
  std::vector<Instr> v;
  for (const codeentry* e = f.code; e->op != op_null; ++e) {
    float operand = 0;
    if (e->op == op_cfpush) operand = e->value.f;
    if (e->op == op_vfpush || e->op == op_vbpush || e->op == op_cbpush) operand = e->value.b;
    v.push_back({e->op, operand});
  }
  return v;
}

constexpr int A = 1, B = 2;  // variable indices of a and b
constexpr int P = 10;

TEST(CodeGeneration, TextsCompileToTheseInstructions) {
  struct Case {
    const char* text;
    std::vector<Instr> code;
  };
  const Case cases[] = {
      {"a+0", {{35, A}}},
      {"0+a", {{35, A}}},
      {"a-0", {{35, A}}},
      {"1*a", {{35, A}}},
      {"a*1", {{35, A}}},
      {"a/1", {{35, A}}},
      {"a + -b", {{35, A}, {35, B}, {54, 0}}},
      {"-a + b", {{35, B}, {35, A}, {54, 0}}},
      {"a - -b", {{35, A}, {35, B}, {32, 0}}},
      {"2*3+sin(0)", {{37, 6}}},
      {"p & false", {{36, 0}, {52, 0}}},
      {"p | true", {{36, 1}, {52, 0}}},
      {"true & p", {{30, P}, {52, 0}}},
      {"0*a", {{37, 0}, {35, A}, {33, 0}}},
      {"a > b", {{35, A}, {35, B}, {46, 0}, {52, 0}}},
      {"3 > 2", {{36, 1}, {52, 0}}},
      {"2 > 1 ? 5 : 6", {{37, 5}}},
      {"p ? a : 2", {{30, P}, {35, A}, {37, 2}, {24, 0}}},
      {"-(2^2)", {{37, -4}}},
      {"a - a", {{35, A}, {35, A}, {54, 0}}},
      {"x + yh", {{35, 1000}, {35, 1005}, {32, 0}}},
      {"1e30 * 1e30", {{37, 1e24f}}},
  };
  for (const Case& c : cases) {
    Formula f;
    ASSERT_EQ(1, f.compile(c.text)) << c.text;
    EXPECT_EQ(c.code, instructions(f)) << c.text;
  }
}

TEST(CodeGeneration, BufferOfNEntriesHoldsNMinusOneInstructions) {
  for (std::uint32_t capacity = 1; capacity <= 5; ++capacity) {
    codeentry code[5];
    char text[16];
    ctlcalc calc(text, code, sizeof text, capacity);
    calc.setfunctions(harness::get_name, harness::get_value, nullptr);
    calc.settext("a*b+a");  // five instructions
    EXPECT_EQ(0, calc.compile());
    EXPECT_EQ(12, calc.geterror());
    EXPECT_EQ(0, code[0].op);
    calc.settext("a*b");  // three instructions
    EXPECT_EQ(capacity >= 4 ? 1 : 0, calc.compile()) << capacity;
  }
}

TEST(CodeGeneration, InspectionsReadTheCompiledCode) {
  Formula f;
  ASSERT_EQ(1, f.compile("1"));
  EXPECT_EQ(2u, f.calc.getcodelen());
  EXPECT_EQ(16u, f.calc.getcodesize());
  ASSERT_EQ(1, f.compile("a+b+a"));
  std::int16_t list[10] = {-1};
  EXPECT_EQ(1, f.calc.getcalclist(list, 10));
  EXPECT_EQ(A, list[0]);
  EXPECT_EQ(B, list[1]);
  EXPECT_EQ(-1, list[2]);
  EXPECT_EQ(1, f.calc.findsignal(B));
  EXPECT_EQ(0, f.calc.findsignal(3));
  std::int16_t tight[2] = {-1};  // room for one index and the end mark
  EXPECT_EQ(0, f.calc.getcalclist(tight, 2));
  ASSERT_EQ(1, f.compile("p & a > 1"));
  std::int16_t more[4] = {-1};
  EXPECT_EQ(1, f.calc.getcalclist(more, 4));
  EXPECT_EQ(P, more[0]);
  EXPECT_EQ(A, more[1]);
}

}  // namespace
