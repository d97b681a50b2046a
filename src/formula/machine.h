// The process-wide state of the formula engine: the evaluation stack, the
// program counter and the scratch buffer. One compile, evaluation or error
// text at a time in the whole process (the class is documented that way).
#pragma once

#include <cstdint>

#include "formula/keywords.h"
#include "veltra/ctlcalc.h"

namespace vt::formula {

// Cells of the evaluation stack. The compiler refuses formulas that need
// more, and attached code is checked against it before it runs.
constexpr int kStackCells = 128;

// Names and number texts are copied here while parsing (255 characters and
// the terminator); the error text is loaded here too.
constexpr int kScratchSize = 256;

// A cell holds a float or a Boolean (low 16 bits, sign-widened when pushed).
union Cell {
  float f;
  std::int32_t i;
  std::uint32_t u;
};

struct EvalStack {
  std::int32_t count;
  Cell cells[kStackCells];
};

extern EvalStack g_stack;
extern std::uint32_t g_pc;
extern char g_scratch[kScratchSize];

// The reference push and pop. They never step outside the cells, so a
// handler called on an empty or full stack (by a caller poking at the
// public handlers) reads 0 or drops the value instead of overrunning.
inline void push_cell(Cell c) {
  if (g_stack.count >= 0 && g_stack.count < kStackCells) g_stack.cells[g_stack.count++] = c;
}
inline Cell pop_cell() {
  if (g_stack.count <= 0 || g_stack.count > kStackCells) return Cell{0.0f};
  return g_stack.cells[--g_stack.count];
}
inline void push_float(float v) {
  Cell c;
  c.f = v;
  push_cell(c);
}
inline float pop_float() { return pop_cell().f; }
inline void push_bool(std::int16_t b) {
  Cell c;
  c.i = b;  // sign-widened
  push_cell(c);
}
inline bool pop_bool() { return static_cast<std::int16_t>(pop_cell().u & 0xFFFFu) != 0; }
inline void reset_stack() { g_stack.count = 0; }

// The built-in float variables: the indices 1000 to 1005 read these fields
// of the object. Larger indices go to the value callback, so no index from
// a name callback or from stored code can reach past the fields.
extern float ctlcalc::* const kBuiltinFields[kBuiltinCount];
inline bool is_builtin(std::int16_t index, std::int16_t type) {
  return type == ctlcalc_float && index >= kFirstBuiltinIndex && index < kFirstBuiltinIndex + kBuiltinCount;
}

}  // namespace vt::formula
