// The process-wide machine state and the operation table.
#include "formula/machine.h"

#include "formula/opcodes.h"

namespace vt::formula {

EvalStack g_stack;
std::uint32_t g_pc;
char g_scratch[kScratchSize];

float ctlcalc::* const kBuiltinFields[kBuiltinCount] = {&ctlcalc::x, &ctlcalc::xl, &ctlcalc::xh,
                                                        &ctlcalc::y, &ctlcalc::yl, &ctlcalc::yh};

#define VT_OP_ENTRY(code, handler, operand, result, pops) \
  {&ctlcalc::handler, operand, result, pops, (result) != 0 ? 1 : 0},
const OpInfo kOps[operation_count] = {VT_OPCODES(VT_OP_ENTRY)};
#undef VT_OP_ENTRY

}  // namespace vt::formula
