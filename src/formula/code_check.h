// The check that code must pass before it runs: known operation codes, a
// terminator within the buffer, no pop from an empty stack, at most
// kStackCells cells in use and exactly one value left at the end.
#pragma once

#include <cstdint>

#include "veltra/ctlcalc.h"

namespace vt::formula {

// Largest code buffer, terminator included: the stored code's length and
// the capacity count as signed 16-bit numbers. A larger buffer is used up
// to this many entries; the C handle API refuses to make one.
constexpr std::uint32_t kMaxCodeEntries = 32767;

struct CodeShape {
  bool valid;
  std::uint32_t length;  // instructions before the terminator
  int max_depth;         // cells in use at the deepest point
};

CodeShape check_code(const codeentry* code, std::uint32_t capacity);

}  // namespace vt::formula
