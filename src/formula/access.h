// Internal access to the formula object for the engine's own free
// functions (the fast loop, the reference evaluation, the C handle API).
#pragma once

#include "veltra/ctlcalc.h"

struct ctlcalc_access {
  // The evaluation as the machine defines it: the handler of each
  // instruction called in turn through the operation table. Tests and the
  // fuzzer hold the fast loop against it. 0.0 for empty or invalid code.
  static float run_reference(ctlcalc& c);
  // eval's slow paths (fast_eval.cpp): preparing the code, false when there
  // is nothing to run (result: 0.0, or the handlers' value for code too
  // long to prepare); reading the built-in variables into their slots.
  [[gnu::noinline]] static bool make_ready(ctlcalc& c, float* result);
  [[gnu::noinline]] static void read_builtins(ctlcalc& c, const ctlcalc_prepared* p);
  // eval's interpreter (fast_eval.cpp), for code without machine code or
  // code that changed since it was made.
  [[gnu::noinline]] static float interpret(ctlcalc& c);
  // Makes machine code for the object's prepared code, unless the object
  // is kept on the interpreter or has it already (native.cpp).
  static void make_native(ctlcalc& c);
  // The same right after prepare made the block ready from the object's
  // code: with no machine code made, the last code's piece that prepare
  // kept goes back to the arena.
  static void make_native_prepared(ctlcalc& c);
  // True when eval runs machine code for the object's current code.
  static bool runs_native(const ctlcalc& c);
  static const codeentry* code(const ctlcalc& c) { return c.code; }
  static std::uint32_t codesize(const ctlcalc& c) { return c.codesize; }
};
