// The data rows: read in blocks, evaluated and written with their results,
// each row as it came plus one field per formula, and fed to the plot.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "columns.h"
#include "csv.h"
#include "formula_list.h"
#include "time_cell.h"

namespace vtcalc {

class Plot;

struct RowSettings {
  char sep = ',';
  char decimal = '.';
  Notation notation;
  int time_column = -1;
  std::string header;     // the header record as read, written back first
  bool per_row = false;  // write and flush every row (a user watches)
  Plot* plot = nullptr;
  std::vector<int> plot_columns;  // columns drawn besides the results
};

// Reads every data row of `in`, writes the header and the rows with their
// results to `out`. Returns 0, or 1 after a message on stderr for bad data
// (a cell that is no value of its column, a row with another count of
// fields than the header, an unclosed quote, a NUL byte, no data row at
// all) or a failed read.
int process_rows(RecordReader& in, const RowSettings& s, ColumnTable& columns, std::vector<Formula>& formulas,
                 std::FILE* out);

}  // namespace vtcalc
