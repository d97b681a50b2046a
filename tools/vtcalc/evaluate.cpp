#include "evaluate.h"

namespace vtcalc {

void evaluate_block(std::vector<Formula>& formulas, const float* values, std::size_t rows, float* results) {
  // Row by row through the engine's value callback.
  for (std::size_t r = 0; r < rows; ++r) {
    ColumnTable::set_row(values, kBlockRows, r);
    for (std::size_t f = 0; f < formulas.size(); ++f) results[f * kBlockRows + r] = formulas[f].calc.eval();
  }
}

}  // namespace vtcalc
