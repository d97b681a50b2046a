// The evaluation (ctlcalc::eval). It runs the prepared form of the object's
// code (prepared.h) and gives the same bits as calling the handlers one by
// one (reference_eval.cpp): first the variable reads in code order, then
// the steps, with the last result in a local accumulator.
//
// Dispatch is a jump through a label table where the compiler offers one
// (GCC and clang), so that every step ends in its own indirect jump;
// otherwise a switch.
//
// Float + - * / are done in single precision: for single-precision operands
// the double result rounded once is the same float.
#include "formula/access.h"
#include "formula/machine.h"
#include "formula/prepared.h"
#include "formula/value_rules.h"
#include "port/fp_state.h"

using namespace vt::formula;

// Slow paths, kept out of eval's body: code that is not prepared yet (or
// changed), and the built-in variables, which are rare.
bool ctlcalc_access::make_ready(ctlcalc& c, float* result) {
  *result = 0.0f;
  if (!c.code || !c.codesize || c.code[0].op == op_null) return false;
  switch (prepare(&c.prepared, c.code, c.codesize)) {
    case Prepared::ready: make_native_prepared(c); return true;
    case Prepared::invalid: return false;
    case Prepared::fallback: break;
  }
  *result = run_reference(c);
  return false;
}

void ctlcalc_access::read_builtins(ctlcalc& c, const ctlcalc_prepared* p) {
  for (std::uint32_t i = p->calls, end = p->calls + p->builtins; i < end; ++i)
    p->slots[i] = c.*kBuiltinFields[p->fetch[i].index];
}

// eval is the short road to the machine code: the floating-point guard, a
// test and a call, so that the machine code's run pays no prologue of the
// interpreter's. Code that
// changed in the buffer goes from the machine code on to the interpreter,
// which prepares (and checks) it again.
float ctlcalc::eval() {
  vt::port::FpGuard fp;  // the library's floating-point state for the whole run
  const ctlcalc_prepared* const n = prepared;
  if (__builtin_expect(n && n->native.entry && n->code == code && n->capacity == codesize &&
                           !(types & ctlcalc_interpret),
                       1))
    return n->native.entry(this, code, getvalue);
  return ctlcalc_access::interpret(*this);
}

// The interpreter: the loop lives in one function, with no call per step.
float ctlcalc_access::interpret(ctlcalc& c) {
  // A prepared form is only made from code that is there and not empty, so
  // a match settles those questions too.
  if (__builtin_expect(!still_matches(c.prepared, c.code, c.codesize), 0)) {
    float result;
    if (!ctlcalc_access::make_ready(c, &result)) return result;
  }
  const ctlcalc_prepared* const p = c.prepared;
  float* const slot = p->slots;
  // The variables' values into their slots: the callback once per variable
  // instruction, in code order, then the built-in fields.
  {
    const ctlcalc_getvalue get = c.getvalue;
    const Fetch* const f = p->fetch;
    for (std::uint32_t i = 0, n = p->calls; i < n; ++i) slot[i] = get(f[i].index, f[i].type);
    if (__builtin_expect(p->builtins != 0, 0)) ctlcalc_access::read_builtins(c, p);
  }
  // Results set aside: a frame of this call's own (the checked code needs
  // at most kStackCells cells), so evaluations on other threads never meet
  // it; left uninitialised, as every value is written before it is read.
  float spill[kStackCells];
  float* sp = spill;
  float acc = 0.0f;
  const Step* const steps = p->steps;
  const Step* s = steps;

#define NEXT() GO_TO(s + 1)
#define TARGET() (steps + s->c)
#if defined(__GNUC__)
#define VT_BINARY_LABELS(name, code, expr) \
  &&L_##name##_AS, &&L_##name##_SA, &&L_##name##_SS, &&L_##name##_PA, &&L_##name##_XS,
#define VT_UNARY_LABELS(name, code, expr) &&L_##name##_A, &&L_##name##_S, &&L_##name##_XS,
#define VT_COMPARE_LABELS(name, test) &&L_##name##_BRANCH_AS, &&L_##name##_BRANCH_SA, &&L_##name##_BRANCH_SS,
  static const void* const kLabels[step_kind_count] = {
      VT_BINARY_STEPS(VT_BINARY_LABELS) VT_UNARY_STEPS(VT_UNARY_LABELS) VT_COMPARE_STEPS(VT_COMPARE_LABELS) &&L_IF_FLOAT, &&L_IF_BOOL,
      &&L_CHOOSE_FLOAT, &&L_CHOOSE_BOOL, &&L_BRANCH_ACC, &&L_BRANCH_SLOT, &&L_BRANCH_XSLOT, &&L_JUMP, &&L_SPILL, &&L_LOAD, &&L_END};
#undef VT_BINARY_LABELS
#undef VT_UNARY_LABELS
#undef VT_COMPARE_LABELS
#define STEP(kind) L_##kind:
#define GO_TO(step)         \
  do {                      \
    s = (step);             \
    goto* kLabels[s->kind]; \
  } while (0)
  goto* kLabels[s->kind];
#else
#define STEP(kind) case kind:
#define GO_TO(step) \
  {                 \
    s = (step);     \
    continue;       \
  }
  for (;;) switch (s->kind) {
#endif

#define VT_BINARY_CASES(name, code, expr) \
  STEP(name##_AS) {                       \
    const float a = acc, b = slot[s->b];  \
    acc = (expr);                         \
    NEXT();                               \
  }                                       \
  STEP(name##_SA) {                       \
    const float a = slot[s->a], b = acc;  \
    acc = (expr);                         \
    NEXT();                               \
  }                                       \
  STEP(name##_SS) {                       \
    const float a = slot[s->a];           \
    const float b = slot[s->b];           \
    acc = (expr);                         \
    NEXT();                               \
  }                                       \
  STEP(name##_PA) {                       \
    const float a = *--sp, b = acc;       \
    acc = (expr);                         \
    NEXT();                               \
  }                                       \
  STEP(name##_XS) {                       \
    *sp++ = acc;                          \
    const float a = slot[s->a];           \
    const float b = slot[s->b];           \
    acc = (expr);                         \
    NEXT();                               \
  }
#define VT_UNARY_CASES(name, code, expr) \
  STEP(name##_A) {                       \
    const float a = acc;                 \
    acc = (expr);                        \
    NEXT();                              \
  }                                      \
  STEP(name##_S) {                       \
    const float a = slot[s->a];          \
    acc = (expr);                        \
    NEXT();                              \
  }                                      \
  STEP(name##_XS) {                      \
    *sp++ = acc;                         \
    const float a = slot[s->a];          \
    acc = (expr);                        \
    NEXT();                              \
  }
  // A comparison that only decides a branch: on to the then-value when it
  // holds, else to the target in c.
#define VT_COMPARE_CASES(name, test)     \
  STEP(name##_BRANCH_AS) {               \
    const float a = acc, b = slot[s->b]; \
    if (test) NEXT();                    \
    GO_TO(TARGET());                 \
  }                                      \
  STEP(name##_BRANCH_SA) {               \
    const float a = slot[s->a], b = acc; \
    if (test) NEXT();                    \
    GO_TO(TARGET());                 \
  }                                      \
  STEP(name##_BRANCH_SS) {               \
    const float a = slot[s->a];          \
    const float b = slot[s->b];          \
    if (test) NEXT();                    \
    GO_TO(TARGET());                 \
  }
  VT_BINARY_STEPS(VT_BINARY_CASES)
  VT_UNARY_STEPS(VT_UNARY_CASES)
  VT_COMPARE_STEPS(VT_COMPARE_CASES)
#undef VT_BINARY_CASES
#undef VT_UNARY_CASES
#undef VT_COMPARE_CASES

  // Operands from the stack: the else-value is the topmost, so it takes the
  // accumulator when it is computed; a computed operand below takes the
  // accumulator when nothing above it did, else it is popped.
  STEP(IF_FLOAT)
  STEP(IF_BOOL) {
    bool acc_used = false;
    float e, t, c;
    if (s->c == kFromStack) e = acc, acc_used = true;
    else e = slot[s->c];
    if (s->b == kFromStack) t = acc_used ? *--sp : acc, acc_used = true;
    else t = slot[s->b];
    if (s->a == kFromStack) c = acc_used ? *--sp : acc;
    else c = slot[s->a];
    acc = truth(c) ? t : e;
    if (s->kind == IF_BOOL) acc = widen_boolean(acc);
    NEXT();
  }
  STEP(CHOOSE_FLOAT) {
    acc = truth(acc) ? slot[s->b] : slot[s->c];
    NEXT();
  }
  STEP(CHOOSE_BOOL) {
    acc = widen_boolean(truth(acc) ? slot[s->b] : slot[s->c]);
    NEXT();
  }
  STEP(BRANCH_ACC) {
    if (truth(acc)) NEXT();
    GO_TO(TARGET());
  }
  STEP(BRANCH_XSLOT) *sp++ = acc;
  STEP(BRANCH_SLOT) {
    if (truth(slot[s->a])) NEXT();
    GO_TO(TARGET());
  }
  STEP(JUMP) GO_TO(TARGET());
  STEP(SPILL) {
    *sp++ = acc;
    NEXT();
  }
  STEP(LOAD) {
    acc = slot[s->a];
    NEXT();
  }
  STEP(END) goto done;

#if !defined(__GNUC__)
  default: goto done;
  }
#endif
#undef STEP
#undef NEXT
#undef GO_TO
#undef TARGET

done:
  return acc;
}
