#include "rows.h"

#include "block.h"
#include "block_reader.h"
#include "block_writer.h"
#include "evaluate.h"
#include "messages.h"
#include "plot.h"

namespace vtcalc {

namespace {

// Hands the plot each row's results and drawn signals, over its time (rows
// without a time are left out) or its number.
class PlotFeed {
 public:
  PlotFeed(const RowSettings& s, const std::vector<Column>& columns, std::size_t formulas)
      : s_(s), columns_(columns), formulas_(formulas), values_(formulas + s.plot_columns.size()) {}

  void add(const Block& b, std::size_t n) {
    for (std::size_t r = 0; r < n; ++r) {
      std::size_t i = 0;
      for (std::size_t k = 0; k < formulas_; ++k) values_[i++] = b.result(k, r);
      for (int c : s_.plot_columns)
        values_[i++] = b.value(static_cast<std::size_t>(columns_[static_cast<std::size_t>(c)].slot), r);
      if (s_.time_column < 0)
        s_.plot->add(static_cast<double>(++rows_), values_.data());
      else if (!b.time_empty[r])
        s_.plot->add(epoch_seconds(b.times[r].t) + b.times[r].ms / 1000.0, values_.data());
    }
  }

 private:
  const RowSettings& s_;
  const std::vector<Column>& columns_;
  std::size_t formulas_;
  std::vector<float> values_;
  unsigned long rows_ = 0;
};

}  // namespace

int process_rows(RecordReader& in, const RowSettings& s, ColumnTable& table, std::vector<Formula>& formulas,
                 std::FILE* out) {
  std::vector<Column>& columns = table.columns();
  std::vector<int> slots;  // the column of each slot: the used columns
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].used) {
      columns[i].slot = static_cast<int>(slots.size());
      slots.push_back(static_cast<int>(i));
    }
  Block block(slots.size(), formulas.size());
  BlockReader reader(in, s, columns, slots);
  BlockEvaluator evaluator(columns, block.values.data());
  BlockWriter writer(s, formulas, out);
  PlotFeed plot(s, columns, formulas.size());

  const std::size_t block_rows = s.per_row ? 1 : kBlockRows;
  unsigned long rows = 0;
  for (;;) {
    std::size_t n = 0;
    if (int rc = reader.fill(block, block_rows, n); rc != 0) return rc;
    if (n == 0) break;
    evaluator.evaluate(formulas, n, block.results.data());
    if (rows == 0) writer.write_header();
    writer.write(block, n);
    if (s.plot) plot.add(block, n);
    rows += n;
    if (s.per_row) std::fflush(out);
    if (n < block_rows) break;
  }
  if (rows == 0) {
    report("the input has a header but no data rows");
    return 1;
  }
  return 0;
}

}  // namespace vtcalc
