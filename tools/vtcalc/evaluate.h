// Evaluating the formulas over a block of rows. The block holds the cells of
// the columns the formulas read column by column (slot-major), so that the
// engine's column entry takes them as they are: one call per formula and
// block instead of one evaluation per formula and row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "columns.h"
#include "formula_list.h"

namespace vtcalc {

// Rows read and evaluated together: enough to make the per-block work
// vanish, few enough to keep the block in the first-level cache.
constexpr std::size_t kBlockRows = 256;

class BlockEvaluator {
 public:
  // `values` is the value block: values[slot * kBlockRows + row] for the
  // used columns; it stays where it is while the evaluator lives.
  BlockEvaluator(const std::vector<Column>& columns, const float* values);

  // results get results[formula * kBlockRows + row] for `rows` rows.
  void evaluate(std::vector<Formula>& formulas, std::size_t rows, float* results);

 private:
  const float* values_;
  // The engine's column tables, by engine index: float columns point into
  // the value block, Boolean columns into booleans_, where their cells are
  // copied as the 16-bit values the engine takes.
  std::vector<const float*> floats_;
  std::vector<const std::int16_t*> boolean_columns_;
  std::vector<std::int16_t> booleans_;
  std::vector<std::size_t> boolean_slots_;  // the slot of each Boolean column in booleans_
};

}  // namespace vtcalc
