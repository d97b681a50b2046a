#include "formula/access.h"
#include "formula/code_check.h"
#include "formula/machine.h"
#include "formula/opcodes.h"

using namespace vt::formula;

float ctlcalc_access::run_reference(ctlcalc& c) {
  if (!c.code || !c.codesize || c.code[0].op == op_null) return 0.0f;
  if (!check_code(c.code, c.codesize).valid) return 0.0f;
  Machine& m = machine();
  m.pc = 0;
  m.count = 0;
  do {
    const OpInfo& info = kOps[c.code[m.pc].op];
    (c.*info.handler)();
    ++m.pc;
  } while (c.code[m.pc].op != op_null);
  return pop_float();
}

void ctlcalc_access::run_three_ways(ctlcalc& c, float results[3], void (*before)(int way)) {
  c.setnative(1);
  before(0);
  results[0] = c.eval();
  c.setnative(0);
  before(1);
  results[1] = c.eval();
  c.setnative(1);
  before(2);
  results[2] = run_reference(c);
}
