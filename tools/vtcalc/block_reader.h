// Reading data rows into a block: records from the reader, their fields
// split, the cells of the used columns checked and read, the time cells
// read. Bad data is reported with its line and column.
#pragma once

#include <string>
#include <vector>

#include "block.h"
#include "columns.h"
#include "rows.h"

namespace vtcalc {

class BlockReader {
 public:
  BlockReader(RecordReader& in, const RowSettings& s, const std::vector<Column>& columns,
              const std::vector<int>& slots);

  // Reads up to `max` rows into `b`; `n` gets their count. 0, or 1 after a
  // message.
  int fill(Block& b, std::size_t max, std::size_t& n);

 private:
  bool read_row(Block& b, std::size_t r, unsigned long line, std::size_t start);
  bool read_time(Block& b, std::size_t r, unsigned long line, std::string_view record);

  RecordReader& in_;
  const RowSettings& s_;
  const std::vector<Column>& columns_;
  const std::vector<int>& slots_;  // the column of each slot
  TimeCellReader times_;
  TimeFault fault_;
  std::vector<Field> fields_;
  std::string scratch_;
};

}  // namespace vtcalc
