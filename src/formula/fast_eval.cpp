// The evaluation loop. It gives the same bits as calling the handlers one
// by one (reference_eval.cpp) but keeps the machine's state in locals: the
// program counter, the stack pointer and the top cell live in registers and
// only the cells below the top are stored, in the process-wide stack. The
// shared counter and program counter are written back at the end, where a
// caller can see them.
//
// Two facts make the float arithmetic exact without the double detour of
// the handlers: for + - * / on single-precision operands, the double result
// rounded once equals the single-precision operation; and x^2 is x*x (the
// double product of two floats is exact, and so is the power function there).
#include <cmath>

#include "formula/access.h"
#include "formula/machine.h"
#include "formula/value_rules.h"

using namespace vt::formula;

namespace {

constexpr std::int16_t kFirstBuiltin = 1000;
constexpr int kBuiltinCount = 6;

// The limit as a rarely taken branch; NaN fails both tests and passes.
inline float clamp(float v) {
  if (__builtin_expect(std::fabs(v) > kLimit, 0)) return v > 0.0f ? kLimit : -kLimit;
  return v;
}

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

inline bool low_half(Cell c) { return (c.u & 0xFFFFu) != 0; }

inline Cell bool_cell(bool b) {
  Cell c;
  c.i = b ? 1 : 0;
  return c;
}

inline Cell float_cell(float f) {
  Cell c;
  c.f = f;
  return c;
}

}  // namespace

float ctlcalc::eval() {
  if (!code || !codesize || code[0].op == op_null) return 0.0f;
  if (!code_ready()) return 0.0f;
  return ctlcalc_access::run_fast(*this);
}

float ctlcalc_access::run_fast(ctlcalc& c) {
  const codeentry* const base = c.code;
  const codeentry* pc = base;
  const ctlcalc_getvalue getvalue = c.getvalue;
  Cell* const bottom = g_stack.cells;
  Cell* sp = bottom;  // next free cell below the top
  Cell top;
  top.u = 0;

#define PUSH(cell) (*sp++ = top, top = (cell))
#define POP() (*--sp)
  for (;; ++pc) {
    switch (pc->op) {
      case op_null:
        goto done;
      case op_cfpush:
        if (pc[1].op == op_pot && pc->value.f == 2.0f) {  // x^2
          top.f = clamp(top.f * top.f);
          ++pc;
          break;
        }
        PUSH(float_cell(pc->value.f));
        break;
      case op_cbpush: {
        Cell b;
        b.i = pc->value.b;
        PUSH(b);
        break;
      }
      case op_vfpush: {
        std::int16_t i = pc->value.b;
        unsigned builtin = static_cast<unsigned>(i - kFirstBuiltin);
        float v = builtin < kBuiltinCount ? builtin_value(c, builtin) : getvalue(i, 1);
        PUSH(float_cell(v));
        break;
      }
      case op_vbpush: {
        std::int16_t i = pc->value.b;
        PUSH(float_cell(getvalue(i, 4)));
        break;
      }
      case op_plus: top.f = clamp(POP().f + top.f); break;
      case op_minus: top.f = clamp(POP().f - top.f); break;
      case op_mul: top.f = clamp(POP().f * top.f); break;
      case op_div: {
        float a = POP().f;
        if (top.f == 0.0f) top.f = a >= 0.0f ? kDivByZero : -kDivByZero;
        else top.f = clamp(a / top.f);
        break;
      }
      case op_sqr: top.f = clamp(top.f * top.f); break;
      case op_pot: {
        float a = POP().f;
        top.f = rule_pow(a, top.f);
        break;
      }
      case op_mod: {
        float a = POP().f;
        top.f = rule_mod(a, top.f);
        break;
      }
      case op_unminus: top.f = -top.f; break;
      case op_min: {
        float a = POP().f;
        if (!(top.f < a)) top.f = a;
        break;
      }
      case op_max: {
        float a = POP().f;
        if (top.f < a) top.f = a;
        break;
      }
      case op_log: top.f = fn_log(top.f); break;
      case op_exp: top.f = fn_exp(top.f); break;
      case op_sqrt: top.f = fn_sqrt(top.f); break;
      case op_sinh: top.f = fn_sinh(top.f); break;
      case op_cosh: top.f = fn_cosh(top.f); break;
      case op_tanh: top.f = fn_tanh(top.f); break;
      case op_sin: top.f = fn_sin(top.f); break;
      case op_cos: top.f = fn_cos(top.f); break;
      case op_tan: top.f = fn_tan(top.f); break;
      case op_atan: top.f = fn_atan(top.f); break;
      case op_acos: top.f = fn_acos(top.f); break;
      case op_asin: top.f = fn_asin(top.f); break;
      case op_abs: top.f = std::fabs(top.f); break;
      case op_floor: top.f = rule_trunc(top.f); break;
      case op_rad: top.f = fn_rad(top.f); break;
      case op_deg: top.f = fn_deg(top.f); break;
      case op_sgn: top.f = rule_sgn(top.f); break;
      case op_greater: top = bool_cell(POP().f > top.f); break;
      case op_less: top = bool_cell(POP().f < top.f); break;
      case op_greaterequal: top = bool_cell(POP().f >= top.f); break;
      case op_lessequal: top = bool_cell(POP().f <= top.f); break;
      case op_equal: top = bool_cell(POP().f == top.f); break;
      case op_unequal: top = bool_cell(POP().f != top.f); break;
      case op_and: {
        bool a = low_half(POP());
        top = bool_cell(a && low_half(top));
        break;
      }
      case op_or: {
        bool a = low_half(POP());
        top = bool_cell(a || low_half(top));
        break;
      }
      case op_xor: {
        bool a = low_half(POP());
        top = bool_cell(a != low_half(top));
        break;
      }
      case op_not: top = bool_cell(!low_half(top)); break;
      case op_b2f: top.f = low_half(top) ? 1.0f : 0.0f; break;
      case op_f2b: top = bool_cell(top.f != 0.0f); break;
      case op_ari_if: {
        Cell then_value = POP();
        if (low_half(POP())) top = then_value;
        break;
      }
      case op_bari_if: {
        Cell then_value = POP();
        Cell chosen = low_half(POP()) ? then_value : top;
        top.i = static_cast<std::int16_t>(chosen.u & 0xFFFFu);
        break;
      }
      default:  // reserved codes and the end-of-equation mark
        break;
    }
  }
#undef PUSH
#undef POP
done:
  // The first push stored the empty initial top; the result is popped.
  g_stack.count = static_cast<std::int32_t>(sp - bottom) - 1;
  g_pc = static_cast<std::uint32_t>(pc - base);
  return top.f;
}
