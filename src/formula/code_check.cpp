#include "formula/code_check.h"

#include "formula/machine.h"
#include "formula/opcodes.h"

namespace vt::formula {

CodeShape check_code(const codeentry* code, std::uint32_t capacity) {
  CodeShape shape{false, 0, 0};
  if (!code) return shape;
  int depth = 0;
  for (std::uint32_t i = 0; i < capacity; ++i) {
    std::int32_t op = code[i].op;
    if (op == op_null) {
      shape.length = i;
      shape.valid = depth == 1;
      return shape;
    }
    if (!is_valid_code(op)) return shape;
    const OpInfo& info = kOps[op];
    depth -= info.pops;
    if (depth < 0) return shape;
    depth += info.pushes;
    if (depth > shape.max_depth) shape.max_depth = depth;
    if (depth > kStackCells) return shape;
  }
  return shape;  // no terminator inside the buffer
}

}  // namespace vt::formula
