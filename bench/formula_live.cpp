// The live-formulas table alone (live_formulas.h), for the builds where the
// peer parser cannot be had: the Windows builds run it under wine.
// "--budget BYTES" sets the bytes of live machine code past which new
// formulas take the interpreter, to find where machine code stops paying.
#include <cstdlib>
#include <cstring>

#include "formula/native.h"
#include "live_formulas.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--budget") == 0)
    vt::formula::set_code_budget_for_tests(std::strtoull(argv[2], nullptr, 10));
  return live_formulas::print_table(nullptr) ? 0 : 1;
}
