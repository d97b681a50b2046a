// Evaluating the formulas over a block of rows. The block holds the cells of
// the columns the formulas read column by column (slot-major), so that an
// evaluation over whole columns can take it as it is.
#pragma once

#include <cstddef>
#include <vector>

#include "formula_list.h"

namespace vtcalc {

// Rows read and evaluated together: enough to make the per-block work
// vanish, few enough to keep the block in the first-level cache.
constexpr std::size_t kBlockRows = 256;

// values[slot * kBlockRows + row] for `rows` rows; results get
// results[formula * kBlockRows + row].
void evaluate_block(std::vector<Formula>& formulas, const float* values, std::size_t rows, float* results);

}  // namespace vtcalc
