// The handlers' machine of each thread and the operation table.
#include "formula/machine.h"

#include "formula/opcodes.h"

namespace vt::formula {

// A plain object without constructor or destructor: a thread that ends
// leaves nothing to clean up. Only the handlers reach it, so its cost per
// read (a call into the threads library in the mingw builds) stays off
// eval's roads.
Machine& machine() {
  static thread_local Machine m;
  return m;
}

float ctlcalc::* const kBuiltinFields[kBuiltinCount] = {&ctlcalc::x, &ctlcalc::xl, &ctlcalc::xh,
                                                        &ctlcalc::y, &ctlcalc::yl, &ctlcalc::yh};

#define VT_OP_ENTRY(code, handler, operand, result, pops) \
  {&ctlcalc::handler, operand, result, pops, (result) != 0 ? 1 : 0},
const OpInfo kOps[operation_count] = {VT_OPCODES(VT_OP_ENTRY)};
#undef VT_OP_ENTRY

}  // namespace vt::formula
