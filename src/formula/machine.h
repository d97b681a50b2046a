// The machine of the operation handlers: an evaluation stack and a program
// counter for each thread. The handlers (public members, constant folding,
// the reference evaluation) work on the calling thread's; eval, the column
// entry and the machine code keep their values in their own frames, so
// that distinct objects evaluate on many threads at once and the fast
// roads never look up the thread's storage.
#pragma once

#include <cstdint>

#include "formula/keywords.h"
#include "veltra/ctlcalc.h"

namespace vt::formula {

// Cells of the evaluation stack. The compiler refuses formulas that need
// more, and attached code is checked against it before it runs.
constexpr int kStackCells = 128;

// Names and number texts are copied to a scratch buffer while parsing (255
// characters and the terminator, workspace.h); an error text is loaded into
// one of the same size (object.cpp).
constexpr int kScratchSize = 256;

// A cell holds a float or a Boolean (low 16 bits, sign-widened when pushed).
union Cell {
  float f;
  std::int32_t i;
  std::uint32_t u;
};

struct Machine {
  std::int32_t count;  // cells in use
  Cell cells[kStackCells];
  std::uint32_t pc;  // the instruction the push handlers read
};

// The calling thread's machine (zeroed for a new thread).
Machine& machine();

// The reference push and pop. They never step outside the cells, so a
// handler called on an empty or full stack (by a caller poking at the
// public handlers) reads 0 or drops the value instead of overrunning.
inline void push_cell(Cell c) {
  Machine& m = machine();
  if (m.count >= 0 && m.count < kStackCells) m.cells[m.count++] = c;
}
inline Cell pop_cell() {
  Machine& m = machine();
  if (m.count <= 0 || m.count > kStackCells) return Cell{0.0f};
  return m.cells[--m.count];
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
inline void reset_stack() { machine().count = 0; }

// The built-in float variables: the indices 1000 to 1005 read these fields
// of the object. Larger indices go to the value callback, so no index from
// a name callback or from stored code can reach past the fields.
extern float ctlcalc::* const kBuiltinFields[kBuiltinCount];
inline bool is_builtin(std::int16_t index, std::int16_t type) {
  return type == ctlcalc_float && index >= kFirstBuiltinIndex && index < kFirstBuiltinIndex + kBuiltinCount;
}

}  // namespace vt::formula
