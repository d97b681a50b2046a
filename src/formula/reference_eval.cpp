#include "formula/access.h"
#include "formula/code_check.h"
#include "formula/machine.h"
#include "formula/opcodes.h"

using namespace vt::formula;

float ctlcalc_access::run_reference(ctlcalc& c) {
  if (!c.code || !c.codesize || c.code[0].op == op_null) return 0.0f;
  if (!check_code(c.code, c.codesize).valid) return 0.0f;
  g_pc = 0;
  reset_stack();
  do {
    const OpInfo& info = kOps[c.code[g_pc].op];
    (c.*info.handler)();
    ++g_pc;
  } while (c.code[g_pc].op != op_null);
  return pop_float();
}
