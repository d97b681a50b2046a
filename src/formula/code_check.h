// The check that code must pass before it runs: known operation codes, a
// terminator within the buffer, no pop from an empty stack, at most
// kStackCells cells in use and exactly one value left at the end.
#pragma once

#include <cstdint>

#include "veltra/ctlcalc.h"

namespace vt::formula {

struct CodeShape {
  bool valid;
  std::uint32_t length;  // instructions before the terminator
  int max_depth;         // cells in use at the deepest point
};

CodeShape check_code(const codeentry* code, std::uint32_t capacity);

}  // namespace vt::formula
