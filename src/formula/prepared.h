// The prepared form of a code array, the form that eval runs.
//
// Stored code is a stack program: every operand is pushed and popped again.
// Preparing it once turns it into
//  - a list of variable reads, in code order, whose values go to the first
//    slots of a small float array (the value callback is called once per
//    variable instruction and in the same order as the stack program would);
//  - the constants, in the slots after them;
//  - a list of steps for the operations. A step takes its operands from the
//    slots (constants and variables), from an accumulator that holds the last
//    result, or from the evaluation stack where an earlier result had to be
//    set aside; a push becomes no step at all.
// So "s0 * 2 + s1" is two steps (acc = slot0 * slot2; acc = acc + slot1)
// instead of five instructions, and the accumulator stays in a register.
//
// A prepared form keeps a copy of the code it came from. Before it runs,
// eval compares that copy with the caller's buffer, so code written into an
// attached buffer behind the object's back is noticed and prepared again
// rather than answered with the old program's result.
#pragma once

#include <cstdint>
#include <cstring>

#include "formula/code_check.h"
#include "formula/native.h"
#include "veltra/ctlcalc.h"

namespace vt::formula {

// Binary operations: step name, operation code, result from the left
// operand a and the right operand b (value_rules.h). Each has four forms by
// where its operands come from, in this order:
//   AS: a = accumulator, b = slot;  SA: a = slot, b = accumulator;
//   SS: a = slot, b = slot;         PA: a = popped, b = accumulator.
#define VT_BINARY_STEPS(X)                          \
  X(PLUS, op_plus, limit(a + b))                    \
  X(MINUS, op_minus, limit(a - b))                  \
  X(MUL, op_mul, limit(a * b))                      \
  X(DIV, op_div, rule_div(a, b))                    \
  X(POW, op_pot, rule_pow(a, b))                    \
  X(MIN, op_min, b < a ? b : a)                     \
  X(MAX, op_max, b < a ? a : b)                     \
  X(MOD, op_mod, rule_mod(a, b))                    \
  X(GT, op_greater, boolean(a > b))                 \
  X(LT, op_less, boolean(a < b))                    \
  X(GE, op_greaterequal, boolean(a >= b))           \
  X(LE, op_lessequal, boolean(a <= b))              \
  X(EQ, op_equal, boolean(a == b))                  \
  X(NE, op_unequal, boolean(a != b))                \
  X(AND, op_and, boolean(truth(a) && truth(b)))     \
  X(OR, op_or, boolean(truth(a) || truth(b)))       \
  X(XOR, op_xor, boolean(truth(a) != truth(b)))

// Unary operations: step name, operation code, result from a. Three forms:
// A works on the accumulator, S on a slot, XS on a slot after pushing the
// accumulator. CUBE has no code of its own: it
// is a power by the constant 3 (a power by the constant 2 becomes SQUARE);
// WIDEN gives a Boolean conditional's result its sign-widened low half.
#define VT_UNARY_STEPS(X)                           \
  X(LOG, op_log, fn_log(a))                         \
  X(EXP, op_exp, fn_exp(a))                         \
  X(SQRT, op_sqrt, fn_sqrt(a))                      \
  X(SINH, op_sinh, fn_sinh(a))                      \
  X(COSH, op_cosh, fn_cosh(a))                      \
  X(TANH, op_tanh, fn_tanh(a))                      \
  X(SIN, op_sin, fn_sin(a))                         \
  X(COS, op_cos, fn_cos(a))                         \
  X(TAN, op_tan, fn_tan(a))                         \
  X(ATAN, op_atan, fn_atan(a))                      \
  X(ACOS, op_acos, fn_acos(a))                      \
  X(ASIN, op_asin, fn_asin(a))                      \
  X(ABS, op_abs, fn_abs(a))                         \
  X(TRUNC, op_floor, rule_trunc(a))                 \
  X(RAD, op_rad, fn_rad(a))                         \
  X(DEG, op_deg, fn_deg(a))                         \
  X(SGN, op_sgn, rule_sgn(a))                       \
  X(SQUARE, op_sqr, rule_square(a))                 \
  X(NEG, op_unminus, -a)                            \
  X(NOT, op_not, boolean(!truth(a)))                \
  X(B2F, op_b2f, truth(a) ? 1.0f : 0.0f)            \
  X(F2B, op_f2b, boolean(a != 0.0f))                \
  X(CUBE, op_null, rule_cube(a))                    \
  X(WIDEN, op_null, widen_boolean(a))

// Comparisons whose result is only a condition: step name and test. Such a
// comparison right before a branch becomes one compare-and-branch step in
// the AS, SA or SS form.
#define VT_COMPARE_STEPS(X) \
  X(GT, a > b)              \
  X(LT, a < b)              \
  X(GE, a >= b)             \
  X(LE, a <= b)             \
  X(EQ, a == b)             \
  X(NE, a != b)

enum StepKind : std::uint16_t {
#define VT_BINARY_KINDS(name, code, expr) name##_AS, name##_SA, name##_SS, name##_PA, name##_XS,
#define VT_UNARY_KINDS(name, code, expr) name##_A, name##_S, name##_XS,
  VT_BINARY_STEPS(VT_BINARY_KINDS) VT_UNARY_STEPS(VT_UNARY_KINDS)
#define VT_COMPARE_KINDS(name, test) name##_BRANCH_AS, name##_BRANCH_SA, name##_BRANCH_SS,
  VT_COMPARE_STEPS(VT_COMPARE_KINDS)
#undef VT_BINARY_KINDS
#undef VT_UNARY_KINDS
#undef VT_COMPARE_KINDS
  // The choices: a, b, c name the slots of condition, then-value and
  // else-value, or kFromStack for a computed one (the topmost computed is
  // the accumulator, the ones below are popped).
  IF_FLOAT,
  IF_BOOL,
  // The common choice: the condition in the accumulator, then- and
  // else-value in slots b and c.
  CHOOSE_FLOAT,
  CHOOSE_BOOL,
  // A branching conditional: the condition in the accumulator, in slot a,
  // or in slot a after pushing the accumulator; when it is false the steps
  // go on at the target, else at the next step.
  BRANCH_ACC,
  BRANCH_SLOT,
  BRANCH_XSLOT,
  JUMP,   // to the target: past the else-value
  SPILL,  // push the accumulator to set it aside (before a choice)
  LOAD,   // accumulator = slot a (a formula that is a single operand)
  END,
  step_kind_count
};

constexpr std::uint16_t kFromStack = 0xFFFF;

// A step's operands: slots a and b, or for the choices the slots of
// condition, then- and else-value in a, b and c. Every step that branches
// or jumps (the BRANCH and compare-and-branch kinds, JUMP) holds the number
// of the step it goes to in c, so a target is at most kMaxTarget.
struct Step {
  std::uint16_t kind;
  std::uint16_t a, b, c;
};
constexpr std::uint32_t kMaxTarget = 0xFFFF;

// One variable read: the callback's index and type, or for a built-in
// variable the field (0 to 5 for x to yh) in index.
struct Fetch {
  std::int16_t index;
  std::int16_t type;
};

}  // namespace vt::formula

// Lives in one heap block owned by the formula object; the arrays follow it.
struct ctlcalc_prepared {
  const codeentry* code;   // the buffer it was prepared from
  std::uint32_t capacity;  // that buffer's capacity
  std::uint32_t length;    // instructions before the terminator
  std::uint32_t room;      // instructions the block has space for
  std::uint32_t calls;     // variables read through the callback
  std::uint8_t* marks;             // for the walk that prepares
  std::uint32_t* open_branches;    // for the walk that prepares
  std::uint32_t builtins;  // variables read from the object's fields
  codeentry* copy;  // the instructions, to notice a change
  vt::formula::Fetch* fetch;  // the calls in code order, then the built-ins
  float* slots;  // the values of the fetches in the same order, then constants
  vt::formula::Step* steps;
  vt::formula::NativeCode native;  // machine code of the steps (native.h)
};

namespace vt::formula {

enum class Prepared { ready, invalid, fallback };

// Prepares the code (reusing *block when it is large enough); invalid when
// the code fails the check of code_check.h, fallback when it is too long or
// no block could be had (the handlers then evaluate it). *block stays owned
// by the caller in every case. A ready block has no machine code to run;
// it keeps its last code's place, which the caller hands on to
// ctlcalc_access::make_native_prepared.
Prepared prepare(ctlcalc_prepared** block, const codeentry* code, std::uint32_t capacity);
// The same for code whose check (code_check.h) was just made.
Prepared prepare(ctlcalc_prepared** block, const codeentry* code, std::uint32_t capacity, const CodeShape& shape);

// True when the block was prepared from exactly this code.
inline bool still_matches(const ctlcalc_prepared* p, const codeentry* code, std::uint32_t capacity) {
  if (!p || p->code != code || p->capacity != capacity) return false;
  const std::uint32_t n = p->length;
  // Whole records compared as 64-bit words; one test at the end keeps the
  // loop free of branches.
  std::uint64_t diff = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    std::uint64_t x, y;
    std::memcpy(&x, &code[i], 8);
    std::memcpy(&y, &p->copy[i], 8);
    diff |= x ^ y;
  }
  return diff == 0 && code[n].op == op_null;
}

void release(ctlcalc_prepared* p);

}  // namespace vt::formula
