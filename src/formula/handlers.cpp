// The operation handlers: the reference semantics of every operation code.
// Each one pops its operands from the calling thread's stack and pushes one
// result; arithmetic is done in double and rounded once, as the value rules
// say. Constant folding runs these same handlers, and the fast loop
// (fast_eval.cpp) must give the same bits as running them one by one.
// The handlers are exported members too: each opens the floating-point
// guard, which inside compile's own guard only reads the state.
#include "formula/machine.h"
#include "formula/value_rules.h"
#include "port/fp_state.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;
using vt::port::FpGuard;

float ctlcalc::_gvf(std::int16_t index, std::int16_t type) {
  if (is_builtin(index, type)) return this->*kBuiltinFields[index - kFirstBuiltinIndex];
  return getvalue(index, type);
}

void ctlcalc::_null() {}
void ctlcalc::_eqnend() {}

void ctlcalc::_log() { FpGuard fp; push_float(fn_log(pop_float())); }
void ctlcalc::_exp() { FpGuard fp; push_float(fn_exp(pop_float())); }
void ctlcalc::_sqrt() { FpGuard fp; push_float(fn_sqrt(pop_float())); }
void ctlcalc::_sinh() { FpGuard fp; push_float(fn_sinh(pop_float())); }
void ctlcalc::_cosh() { FpGuard fp; push_float(fn_cosh(pop_float())); }
void ctlcalc::_tanh() { FpGuard fp; push_float(fn_tanh(pop_float())); }
void ctlcalc::_sin() { FpGuard fp; push_float(fn_sin(pop_float())); }
void ctlcalc::_cos() { FpGuard fp; push_float(fn_cos(pop_float())); }
void ctlcalc::_tan() { FpGuard fp; push_float(fn_tan(pop_float())); }
void ctlcalc::_atan() { FpGuard fp; push_float(fn_atan(pop_float())); }
void ctlcalc::_acos() { FpGuard fp; push_float(fn_acos(pop_float())); }
void ctlcalc::_asin() { FpGuard fp; push_float(fn_asin(pop_float())); }
void ctlcalc::_abs() { FpGuard fp; push_float(fn_abs(pop_float())); }
void ctlcalc::_floor() { FpGuard fp; push_float(rule_trunc(pop_float())); }
void ctlcalc::_rad() { FpGuard fp; push_float(fn_rad(pop_float())); }
void ctlcalc::_deg() { FpGuard fp; push_float(fn_deg(pop_float())); }
void ctlcalc::_sgn() { FpGuard fp; push_float(rule_sgn(pop_float())); }
void ctlcalc::_unminus() { FpGuard fp; push_float(-pop_float()); }

void ctlcalc::_sqr() { FpGuard fp; push_float(rule_square(pop_float())); }

void ctlcalc::_plus() {
  FpGuard fp;
  double b = pop_float(), a = pop_float();
  push_float(round_limit(a + b));
}

void ctlcalc::_minus() {
  FpGuard fp;
  double b = pop_float(), a = pop_float();
  push_float(round_limit(a - b));
}

void ctlcalc::_mul() {
  FpGuard fp;
  double b = pop_float(), a = pop_float();
  push_float(round_limit(a * b));
}

void ctlcalc::_div() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_float(rule_div(a, b));
}

void ctlcalc::_pot() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_float(rule_pow(a, b));
}

void ctlcalc::_mod() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_float(rule_mod(a, b));
}

void ctlcalc::_min() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_float(b < a ? b : a);
}

void ctlcalc::_max() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_float(b < a ? a : b);
}

void ctlcalc::_greater() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a > b);
}
void ctlcalc::_less() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a < b);
}
void ctlcalc::_greaterequal() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a >= b);
}
void ctlcalc::_lessequal() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a <= b);
}
void ctlcalc::_equal() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a == b);
}
void ctlcalc::_unequal() {
  FpGuard fp;
  float b = pop_float(), a = pop_float();
  push_bool(a != b);
}

void ctlcalc::_and() {
  FpGuard fp;
  bool b = pop_bool(), a = pop_bool();
  push_bool(a && b);
}
void ctlcalc::_or() {
  FpGuard fp;
  bool b = pop_bool(), a = pop_bool();
  push_bool(a || b);
}
void ctlcalc::_xor() {
  FpGuard fp;
  bool b = pop_bool(), a = pop_bool();
  push_bool(a != b);
}
void ctlcalc::_not() { FpGuard fp; push_bool(!pop_bool()); }

void ctlcalc::_b2f() { FpGuard fp; push_float(pop_bool() ? 1.0f : 0.0f); }
void ctlcalc::_f2b() { FpGuard fp; push_bool(pop_float() != 0.0f); }

void ctlcalc::_ari_if() {
  FpGuard fp;
  Cell e = pop_cell(), t = pop_cell();
  push_cell(pop_bool() ? t : e);
}

void ctlcalc::_bari_if() {
  FpGuard fp;
  Cell e = pop_cell(), t = pop_cell();
  Cell chosen = pop_bool() ? t : e;
  push_bool(static_cast<std::int16_t>(chosen.u & 0xFFFFu));
}

void ctlcalc::_cfpush() { FpGuard fp; push_float(code[machine().pc].value.f); }
void ctlcalc::_cbpush() { FpGuard fp; push_bool(code[machine().pc].value.b); }
void ctlcalc::_vfpush() { FpGuard fp; push_float(_gvf(code[machine().pc].value.b, ctlcalc_float)); }

void ctlcalc::_vbpush() {
  FpGuard fp;
  Cell c;
  c.f = _gvf(code[machine().pc].value.b, ctlcalc_boolean);
  push_cell(c);
}
