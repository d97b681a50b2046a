// The evaluation loop (ctlcalc::eval). It gives the same bits as calling the handlers one
// by one (reference_eval.cpp) but keeps the machine's state in locals: the
// program counter, the stack pointer and the top cell live in registers and
// only the cells below the top are stored, in the process-wide stack. The
// shared counter and program counter are written back at the end, where a
// caller can see them.
//
// Dispatch is a jump through a label table where the compiler offers one
// (GCC and clang), so that every operation ends in its own indirect jump;
// otherwise a switch. A variable or constant followed by an arithmetic
// operation, a comparison, a square or the choice of a conditional, and a
// Boolean variable followed by and, or, xor, are done in one step, without
// the push and pop.
//
// Two facts make the float arithmetic exact without the double detour of
// the handlers: for + - * / on single-precision operands, the double result
// rounded once equals the single-precision operation; and x^2 is x*x (the
// double product of two floats is exact, and so is the power function there).
#include <cmath>
#include <cstring>

#include "formula/access.h"
#include "formula/machine.h"
#include "formula/value_rules.h"

using namespace vt::formula;

namespace {

constexpr std::int16_t kFirstBuiltin = 1000;
constexpr unsigned kBuiltinCount = 6;

// The limit as a rarely taken branch; NaN fails the test and passes.
inline float clamp(float v) {
  if (__builtin_expect(std::fabs(v) > kLimit, 0)) return v > 0.0f ? kLimit : -kLimit;
  return v;
}

inline float divide(float a, float b) {
  if (__builtin_expect(b == 0.0f, 0)) return a >= 0.0f ? kDivByZero : -kDivByZero;
  return clamp(a / b);
}

inline std::uint32_t bits_of(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

inline float from_bits(std::uint32_t u) {
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

// A Boolean cell: 16-bit 0 or 1, sign-widened.
inline float boolean(bool b) { return from_bits(b ? 1u : 0u); }
inline bool truth(float cell) { return (bits_of(cell) & 0xFFFFu) != 0; }

inline float builtin_value(const ctlcalc& c, unsigned which) {
  switch (which) {
    case 0: return c.x;
    case 1: return c.xl;
    case 2: return c.xh;
    case 3: return c.y;
    case 4: return c.yl;
    default: return c.yh;
  }
}

}  // namespace

// The loop lives in eval itself: a call into a separate exported function
// costs a second prologue and, from a shared library, a PLT jump per eval.
float ctlcalc::eval() {
  if (!code || !codesize || code[0].op == op_null) return 0.0f;
  if (checked_code != code || checked_capacity != codesize) {
    if (!code_ready()) return 0.0f;
  }
  const ctlcalc& c = *this;
  const codeentry* const base = code;
  const codeentry* pc = base;
  const ctlcalc_getvalue getvalue = c.getvalue;
  float* const bottom = reinterpret_cast<float*>(g_stack.cells);
  float* sp = bottom;  // next free cell below the top
  float top = 0.0f;
  float v;  // operand of a push

#define PUSH(value) (*sp++ = top, top = (value))
#define POP() (*--sp)

#if defined(__GNUC__)
  static const void* const kLabels[operation_count] = {
      &&L0,  &&L1,  &&L2,  &&L3,  &&L4,  &&L5,  &&L6,  &&L7,  &&L8,  &&L9,  &&L10, &&L11,
      &&L12, &&L13, &&L14, &&L15, &&L16, &&L17, &&L18, &&L19, &&L20, &&L21, &&L22, &&L23,
      &&L24, &&L25, &&L26, &&L27, &&L28, &&L29, &&L30, &&L31, &&L32, &&L33, &&L34, &&L35,
      &&L36, &&L37, &&L38, &&L39, &&L40, &&L41, &&L42, &&L43, &&L44, &&L45, &&L46, &&L47,
      &&L48, &&L49, &&L50, &&L51, &&L52, &&L53, &&L54, &&L55};
#define OP(n) L##n:
#define DISPATCH() goto* kLabels[pc->op]
#define NEXT() \
  do {         \
    ++pc;      \
    DISPATCH(); \
  } while (0)
  DISPATCH();
#else
#define OP(n) case n:
#define DISPATCH() continue
#define NEXT() \
  {            \
    ++pc;      \
    continue;  \
  }
  for (;;) switch (pc->op) {
#endif

  OP(0) goto done;

  OP(37) {  // float constant
    v = pc->value.f;
    goto operand;
  }
  OP(35) {  // float variable
    std::int16_t i = pc->value.b;
    unsigned builtin = static_cast<unsigned>(i - kFirstBuiltin);
    v = builtin < kBuiltinCount ? builtin_value(c, builtin) : getvalue(i, 1);
    goto operand;
  }
  // An operand about to be pushed. First, constants that follow it with an
  // operation right after ("s * 2", "s / 180 + e", "s > 0", "s ^ 2") are
  // applied to it in place: the same operations in the same order, without
  // the pushes and pops. Then the operation after it may take the cell below
  // as its left operand (+ - * /, a comparison, the choice of a conditional).
operand:
  // Plain compares rather than a table jump: the operation that follows a
  // given operand is the same on every evaluation, so they predict well.
  {
    std::int32_t next = pc[1].op;
    while (next == op_cfpush) {
      const float k = pc[1].value.f;
      switch (pc[2].op) {
        case op_mul: v = clamp(v * k); break;
        case op_plus: v = clamp(v + k); break;
        case op_minus: v = clamp(v - k); break;
        case op_div: v = divide(v, k); break;
        case op_greater: v = boolean(v > k); break;
        case op_less: v = boolean(v < k); break;
        case op_greaterequal: v = boolean(v >= k); break;
        case op_lessequal: v = boolean(v <= k); break;
        case op_pot:
          if (k != 2.0f) goto unfused;
          v = clamp(v * v);
          break;
        default: goto unfused;
      }
      pc += 2;
      next = pc[1].op;
    }
  unfused:
    if (next == op_mul) {
      top = clamp(top * v);
      pc += 2;
      DISPATCH();
    }
    if (next == op_plus) {
      top = clamp(top + v);
      pc += 2;
      DISPATCH();
    }
    if (next == op_minus) {
      top = clamp(top - v);
      pc += 2;
      DISPATCH();
    }
    if (next == op_div) {
      top = divide(top, v);
      pc += 2;
      DISPATCH();
    }
    if (next >= op_greater && next <= op_unequal) {
      bool b;
      switch (next) {
        case op_greater: b = top > v; break;
        case op_less: b = top < v; break;
        case op_greaterequal: b = top >= v; break;
        case op_lessequal: b = top <= v; break;
        case op_equal: b = top == v; break;
        default: b = top != v; break;
      }
      top = boolean(b);
      pc += 2;
      DISPATCH();
    }
    if (next == op_ari_if) {  // v is the else value, top the then value
      float then_value = top;
      top = truth(POP()) ? then_value : v;
      pc += 2;
      DISPATCH();
    }
    if (next == op_pot && v == 2.0f) {
      top = clamp(top * top);
      pc += 2;
      DISPATCH();
    }
  }
  PUSH(v);
  NEXT();

  OP(36) {  // Boolean constant
    PUSH(from_bits(static_cast<std::uint32_t>(static_cast<std::int32_t>(pc->value.b))));
    NEXT();
  }
  OP(30) {  // Boolean variable: its 4 bytes unchanged
    v = getvalue(pc->value.b, 4);
    switch (pc[1].op) {  // met by and / or / xor right after
      case op_and: top = boolean(truth(top) && truth(v)); pc += 2; DISPATCH();
      case op_or: top = boolean(truth(top) || truth(v)); pc += 2; DISPATCH();
      case op_xor: top = boolean(truth(top) != truth(v)); pc += 2; DISPATCH();
      default: break;
    }
    PUSH(v);
    NEXT();
  }
  OP(32) top = clamp(POP() + top); NEXT();
  OP(54) top = clamp(POP() - top); NEXT();
  OP(33) top = clamp(POP() * top); NEXT();
  OP(55) {
    float a = POP();
    top = divide(a, top);
    NEXT();
  }
  OP(22) top = clamp(top * top); NEXT();
  OP(34) {
    float a = POP();
    top = rule_pow(a, top);
    NEXT();
  }
  OP(20) {
    float a = POP();
    top = rule_mod(a, top);
    NEXT();
  }
  OP(38) top = -top; NEXT();
  OP(18) {  // min: b if b < a, else a
    float a = POP();
    if (!(top < a)) top = a;
    NEXT();
  }
  OP(19) {  // max: a if b < a, else b
    float a = POP();
    if (top < a) top = a;
    NEXT();
  }
  OP(1) top = fn_log(top); NEXT();
  OP(2) top = fn_exp(top); NEXT();
  OP(3) top = fn_sqrt(top); NEXT();
  OP(4) top = fn_sinh(top); NEXT();
  OP(5) top = fn_cosh(top); NEXT();
  OP(6) top = fn_tanh(top); NEXT();
  OP(7) top = fn_sin(top); NEXT();
  OP(8) top = fn_cos(top); NEXT();
  OP(9) top = fn_tan(top); NEXT();
  OP(10) top = fn_atan(top); NEXT();
  OP(11) top = fn_acos(top); NEXT();
  OP(12) top = fn_asin(top); NEXT();
  OP(13) top = std::fabs(top); NEXT();
  OP(14) top = rule_trunc(top); NEXT();
  OP(15) top = fn_rad(top); NEXT();
  OP(16) top = fn_deg(top); NEXT();
  OP(17) top = rule_sgn(top); NEXT();
  OP(46) top = boolean(POP() > top); NEXT();
  OP(47) top = boolean(POP() < top); NEXT();
  OP(48) top = boolean(POP() >= top); NEXT();
  OP(49) top = boolean(POP() <= top); NEXT();
  OP(50) top = boolean(POP() == top); NEXT();
  OP(51) top = boolean(POP() != top); NEXT();
  OP(26) {
    bool a = truth(POP());
    top = boolean(a && truth(top));
    NEXT();
  }
  OP(27) {
    bool a = truth(POP());
    top = boolean(a || truth(top));
    NEXT();
  }
  OP(28) {
    bool a = truth(POP());
    top = boolean(a != truth(top));
    NEXT();
  }
  OP(29) top = boolean(!truth(top)); NEXT();
  OP(52) top = truth(top) ? 1.0f : 0.0f; NEXT();
  OP(21) top = boolean(top != 0.0f); NEXT();
  OP(24) {  // then/else floats chosen by a Boolean, 4 bytes unchanged
    float then_value = POP();
    if (truth(POP())) top = then_value;
    NEXT();
  }
  OP(25) {  // the chosen Boolean's low half, sign-widened
    float then_value = POP();
    float chosen = truth(POP()) ? then_value : top;
    top = from_bits(static_cast<std::uint32_t>(static_cast<std::int32_t>(
        static_cast<std::int16_t>(bits_of(chosen) & 0xFFFFu))));
    NEXT();
  }
  // Reserved codes and the end-of-equation mark do nothing.
  OP(23) OP(31) OP(39) OP(40) OP(41) OP(42) OP(43) OP(44) OP(45) OP(53) NEXT();

#if !defined(__GNUC__)
  }
#endif
#undef OP
#undef DISPATCH
#undef NEXT
#undef PUSH
#undef POP

done:
  // The first push stored the empty initial top; the result is popped.
  g_stack.count = static_cast<std::int32_t>(sp - bottom) - 1;
  g_pc = static_cast<std::uint32_t>(pc - base);
  return top;
}
