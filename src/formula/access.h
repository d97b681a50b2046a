// Internal access to the formula object for the engine's own free
// functions (the fast loop, the reference evaluation, the C handle API).
#pragma once

#include "veltra/ctlcalc.h"

struct ctlcalc_access {
  // The evaluation as the machine defines it: the handler of each
  // instruction called in turn through the operation table. Tests and the
  // fuzzer hold the fast loop against it. 0.0 for empty or invalid code.
  static float run_reference(ctlcalc& c);
  // The variable reads of a prepared code (fast_eval.cpp).
  static void fetch_variables(ctlcalc& c, const ctlcalc_prepared* p);
  static const codeentry* code(const ctlcalc& c) { return c.code; }
  static std::uint32_t codesize(const ctlcalc& c) { return c.codesize; }
};
