// Writing rows with their results: the header with one more field per
// formula, then each row as it came, its time cell rewritten in the
// column's notation, and the results under their format masks.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "block.h"
#include "formula_list.h"
#include "rows.h"

namespace vtcalc {

class BlockWriter {
 public:
  BlockWriter(const RowSettings& s, const std::vector<Formula>& formulas, std::FILE* out)
      : s_(s), formulas_(formulas), out_(out), times_(s.notation) {}

  void write_header();
  // The block's first `n` rows go out in one write.
  void write(const Block& b, std::size_t n);

 private:
  void append_row(const Block& b, std::size_t r);

  const RowSettings& s_;
  const std::vector<Formula>& formulas_;
  std::FILE* out_;
  TimeCellWriter times_;
  std::string line_;
};

}  // namespace vtcalc
