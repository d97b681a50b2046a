// The live-formulas table alone (live_formulas.h), for the builds where the
// peer parser cannot be had: the Windows builds run it under wine.
#include "live_formulas.h"

int main() { return live_formulas::print_table(nullptr) ? 0 : 1; }
