// The command line of vtcalc.
#pragma once

#include <string>
#include <vector>

#include "formula_list.h"
#include "time_cell.h"

namespace vtcalc {

struct Options {
  std::string input;
  std::string output;
  std::vector<FormulaSpec> formulas;
  std::vector<std::string> booleans;
  std::vector<std::pair<std::string, std::string>> names;  // NAME, COLUMN
  std::string time_column;
  std::string plot;
  std::vector<std::string> plot_signals;
  char sep = 0;      // 0: ';' when the header holds one, else ','
  char decimal = 0;  // 0: ',' with ';' as separator, else '.'
  Notation notation;
};

// Reads the command line into `o`. Returns -1 to go on, else the exit
// status (0 after --help or --version, 1 for a bad command line, with a
// message on stderr).
int parse_args(int argc, char** argv, Options& o);

}  // namespace vtcalc
