// The evaluation as the machine defines it: each instruction's handler in
// turn. eval falls back on it for code too long to prepare; the tests hold
// the other ways against it (tests/support/three_ways.h).
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
