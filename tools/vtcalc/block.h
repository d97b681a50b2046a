// A block of data rows in memory: their text as read, the cells the
// formulas and the plot read, the formulas' results and the time cells.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "csv.h"
#include "evaluate.h"
#include "time_cell.h"

namespace vtcalc {

struct Block {
  std::string text;                 // the records, one after the other
  std::vector<std::size_t> starts;  // offset of each record in text, and the end
  std::vector<float> values;        // slot-major, kBlockRows per slot
  std::vector<float> results;       // formula-major, kBlockRows per formula
  std::vector<TimeValue> times;
  std::vector<Field> time_fields;  // where the time cell lies in its record
  std::vector<bool> time_empty;

  Block(std::size_t slots, std::size_t formulas)
      : values(slots * kBlockRows), results(formulas * kBlockRows), times(kBlockRows),
        time_fields(kBlockRows), time_empty(kBlockRows) {}
  float& value(std::size_t slot, std::size_t row) { return values[slot * kBlockRows + row]; }
  float value(std::size_t slot, std::size_t row) const { return values[slot * kBlockRows + row]; }
  float result(std::size_t formula, std::size_t row) const { return results[formula * kBlockRows + row]; }
};

}  // namespace vtcalc
