// The contents of a table control: columns, rows of text cells, the
// selected cell and the longest text an edit may bring.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vt::grid {

struct GridColumn {
  std::string title;
  int width;
  int align;  // 0 left, 1 right, 2 centre
};

class GridModel {
 public:
  // Inserts a column at position (-1 or past the end appends); every row
  // gets an empty cell there. Returns its index.
  int insert_column(int position, GridColumn column);
  // Inserts count empty rows before position (position == rows() appends).
  // False for a position outside 0..rows() or a count below 1.
  bool insert_rows(int position, int count);
  bool set_text(int row, int column, const char* text);
  // The cell's text, or null when there is no such cell.
  const std::string* text(int row, int column) const;

  int rows() const { return static_cast<int>(cells_.size()); }
  int columns() const { return static_cast<int>(columns_.size()); }
  const GridColumn& column(int c) const { return columns_[c]; }
  bool has_cell(int row, int column) const {
    return row >= 0 && row < rows() && column >= 0 && column < columns();
  }

  std::size_t edit_limit = 260;

 private:
  std::vector<GridColumn> columns_;
  std::vector<std::vector<std::string>> cells_;
};

}  // namespace vt::grid
