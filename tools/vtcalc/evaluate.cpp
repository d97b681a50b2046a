#include "evaluate.h"

#include <cstring>

namespace vtcalc {

BlockEvaluator::BlockEvaluator(const std::vector<Column>& columns, const float* values) : values_(values) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].used && !columns[i].time) size = static_cast<std::size_t>(ColumnTable::engine_index(i)) + 1;
  floats_.assign(size, nullptr);
  boolean_columns_.assign(size, nullptr);
  std::size_t booleans = 0;
  for (const Column& c : columns) booleans += c.used && c.boolean;
  booleans_.resize(booleans * kBlockRows);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Column& c = columns[i];
    if (!c.used || c.time || c.slot < 0) continue;
    const std::size_t index = static_cast<std::size_t>(ColumnTable::engine_index(i));
    const float* cells = values + static_cast<std::size_t>(c.slot) * kBlockRows;
    if (c.boolean) {
      boolean_columns_[index] = booleans_.data() + boolean_slots_.size() * kBlockRows;
      boolean_slots_.push_back(static_cast<std::size_t>(c.slot));
    } else {
      floats_[index] = cells;
    }
  }
}

void BlockEvaluator::evaluate(std::vector<Formula>& formulas, std::size_t rows, float* results) {
  // A Boolean cell holds its value in the low 16 bits (cells.h).
  for (std::size_t k = 0; k < boolean_slots_.size(); ++k) {
    const float* cells = values_ + boolean_slots_[k] * kBlockRows;
    std::int16_t* out = booleans_.data() + k * kBlockRows;
    for (std::size_t r = 0; r < rows; ++r) {
      std::uint32_t bits;
      std::memcpy(&bits, &cells[r], 4);
      out[r] = static_cast<std::int16_t>(bits & 0xFFFFu);
    }
  }
  // Every variable of a formula is a used column (compile_formulas marks
  // them), so each has its column here and the column entry cannot refuse.
  for (std::size_t f = 0; f < formulas.size(); ++f)
    formulas[f].calc.evalcolumns(floats_.data(), static_cast<std::uint32_t>(floats_.size()), boolean_columns_.data(),
                                 static_cast<std::uint32_t>(boolean_columns_.size()), results + f * kBlockRows,
                                 static_cast<std::uint32_t>(rows));
}

}  // namespace vtcalc
