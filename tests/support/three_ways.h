// The three ways a formula object evaluates its code, for the tests and the
// fuzzer that demand the same bits from each: the machine code (where the
// object has some), the interpreter, and the handlers one by one.
#pragma once

#include "veltra/ctlcalc.h"

namespace vt::test {

// Evaluates c three ways, in this order, into results[0..2]; before(way)
// runs before each, so that a caller can keep the value callback's calls
// apart. The object is left with machine code on.
void run_three_ways(ctlcalc& c, float results[3], void (*before)(int way));

}  // namespace vt::test
