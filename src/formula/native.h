// Machine code per formula: the prepared form (prepared.h) turned into one
// function for the processor the library was built for (x86-64 with the
// Windows or the System V calling convention, or i686 with SSE2 and cdecl).
//
// The function first compares the caller's code buffer with the code it was
// made from, then calls the value callback once per variable instruction in
// code order, then runs the steps with the accumulator in a register and
// the values set aside on its own stack frame (nothing of it is shared
// between threads). Every operation computes
// exactly what the value rules say; the math functions are the ones the
// handlers call, so the result has the handlers' bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "formula/code_arena.h"
#include "veltra/ctlcalc.h"

struct ctlcalc_prepared;

namespace vt::formula {

// The generated function: eval's result for the object c, whose code buffer
// and value callback are passed too. When the code in the buffer differs
// from the code the function was made from, it goes on to the interpreter
// (ctlcalc_access::interpret) before anything else is done.
using NativeEntry = float (*)(ctlcalc* c, const codeentry* code, ctlcalc_getvalue get);

// The function and its place in the code arena (code_arena.h), owned by a
// prepared block. The code is runnable as soon as it is placed; entry is
// null while there is no machine code for the block's steps (the
// interpreter runs). A block prepared again keeps its last code's place,
// with entry null, until machine code is made for it or not
// (ctlcalc_access::make_native), so that new code can take the same piece.
struct NativeCode {
  NativeEntry entry;
  CodePlace place;
};

// Makes the machine code of a block just prepared from code, over its last
// code's piece when it fits, else in a new place (the old piece freed).
// Leaves none, and no piece, when no code can be made (no memory for code,
// the budget spent, code too long, another processor).
void build_native(ctlcalc_prepared* p, const codeentry* code);
// Gives the code's place back to the arena.
void release_native(NativeCode& n);
// Tests and benchmarks: the bytes of live machine code past which new
// formulas take the interpreter; returns the budget it replaces.
std::size_t set_code_budget_for_tests(std::size_t bytes);

// The assembler and its buffer, lent to one emission from a shared pool
// (shared_pool.h) and given back when the Emitted that holds it goes.
struct EmitterWorkspace;
struct GiveBackEmitter {
  void operator()(EmitterWorkspace* workspace) const noexcept;
};

// The function for p as made by the emitter: length bytes, entry the
// offset to call. The bytes run from wherever they are copied; they stay
// valid while the Emitted lives.
struct Emitted {
  const unsigned char* bytes = nullptr;
  std::size_t length = 0;
  std::size_t entry = 0;
  std::unique_ptr<EmitterWorkspace, GiveBackEmitter> workspace;
};
// False when no function can be made for p.
bool emit_native(const ctlcalc_prepared& p, const codeentry* code, Emitted* out);

}  // namespace vt::formula
